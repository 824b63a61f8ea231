// The controls subsystem's first files replace this one.
