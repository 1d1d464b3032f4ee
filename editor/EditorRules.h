// The track world's rules in the editor (world/WorldRules.h), set once at start-up.
#pragma once

void InstallEditorRules();
