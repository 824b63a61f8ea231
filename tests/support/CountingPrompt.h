#pragma once

#include "tests/support/ScriptedPrompt.h"

#include "fcs/display/PictureBox.h"

// Collects the picture boxes' load-failure messages for one test.
struct PictureFailures {
    ScriptedPrompt prompt;
    PictureFailures() { CPictureBox::SetFailurePrompt(&prompt); }
    ~PictureFailures() { CPictureBox::SetFailurePrompt(nullptr); }
};
