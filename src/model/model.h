#pragma once
// The logic of one running program, without windows: the session with every
// table, the settings routines over a store, the main window's commands and
// the merge of allies' reports. The program with windows and the dump tool
// each own one.

#include "ally_merge.h"
#include "main_commands.h"
#include "session.h"
#include "settings.h"

namespace trevanor {

struct Model {
    Model(SettingsBackend& store, Prompter& prompter, WindowHooks& hooks)
        : settings(session, store, prompter), commands(session, prompter, settings, hooks),
          merge(session, prompter, hooks) {}

    Session session;
    Settings settings;
    MainCommands commands;
    AllyMerge merge;
};

}  // namespace trevanor
