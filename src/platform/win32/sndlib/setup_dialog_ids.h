// The set-up dialog's title and the numbers of the dialog and its controls,
// shared by the resource script and the code.
#pragma once

#define SETUP_TITLE "Zorbulant sound set-up"
#define SETUP_DIALOG 100
#define SETUP_DEVICE 101
#define SETUP_RATE 102
#define SETUP_BUFFER 103
