#pragma once

#include <QtGlobal>

// How the station keeps its journal (user settings, section "Journal").
struct JournalSettings {
    static constexpr qint64 DefaultMaxFileBytes = 10 * 1024 * 1024;
    static constexpr int DefaultMaxFiles = 5;

    bool enabled = true;
    qint64 maxFileBytes = DefaultMaxFileBytes; // a file is rotated before it grows beyond this
    int maxFiles = DefaultMaxFiles;            // the file written and the rotated ones together
    bool database = false;                     // also one row per request in T_DNC_JOURNAL
};
