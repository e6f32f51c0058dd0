#pragma once
// A program that takes no typed text needs no input method. Without one the
// first focus does not start the system's IME for the thread (under Wine
// that took longer than painting the window), and an East Asian IME does not
// catch the letters of mnemonics and keyboard shortcuts.
#include <windows.h>

// Turns the input method off for the calling thread, before its first
// window. Where the system has no IME library loaded there is nothing to do.
void TurnOffInputMethod();
