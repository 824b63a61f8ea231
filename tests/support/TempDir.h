#pragma once

#include "platform/UserFolders.h"

#include <QDir>
#include <QTemporaryDir>

// User folders inside a temporary directory that disappears with the test.
struct TempFolders {
    QTemporaryDir dir;
    UserFolders folders() const
    {
        return {dir.filePath(QStringLiteral("local")), dir.filePath(QStringLiteral("documents")),
                dir.filePath(QStringLiteral("program"))};
    }
};
