#include "fcs/app/Preferences.h"

bool Preferences::joystickFrequencyUsable() const
{
    return joystickFrequency >= 1 && joystickFrequency <= 1000;
}

int Preferences::timerPeriodMs() const
{
    return 1000 / (joystickFrequencyUsable() ? joystickFrequency : 30);
}
