// The environment the programs this one starts are given: the one it was started with, also
// after it has set variables for itself alone.
#pragma once

namespace platform {

// Keeps the environment as it stands now for every program started from here on; call it
// before setting anything meant for this program only.
void KeepEnvironmentForChildren();
// The kept environment as NAME=value entries ending in a null pointer, for posix_spawn; the
// environment as it stands when none was kept.
char* const* ChildEnvironment();

}  // namespace platform
