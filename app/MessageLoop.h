// The program's run: its start-up steps, then the message loop, with the exit code for the system.
#pragma once

#include <functional>

// Runs StartUp, then the message loop. Returns the loop's exit code, or EXIT_FAILURE after an
// exception from StartUp or the loop, which the exception display shows.
int RunMessageLoop(const std::function<void()>& StartUp);
