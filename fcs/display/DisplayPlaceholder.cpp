// The display subsystem's first files replace this one.
