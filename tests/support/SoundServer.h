#pragma once

// Tests labelled "sound" run against the private sound server that
// scripts/test starts. They fail, not skip, when it is missing: a suite that
// silently skipped them would hide a broken sound set-up.
// Call at the start of such a test: ASSERT_NO_FATAL_FAILURE(requireSoundServer());
void requireSoundServer();
