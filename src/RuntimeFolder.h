#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace fontlathe {

// Run as root or outside a desktop session there is no runtime folder, and Qt would warn about
// it on every start; a private one (mode 0700, as Qt demands) for this run keeps stderr for the
// program's own messages. Called before the application object; the folder lives as long as the
// returned object, and no folder is made when the session already has one.
inline std::unique_ptr<QTemporaryDir> ProvideRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        return nullptr;
    }
    auto folder = std::make_unique<QTemporaryDir>();
    if (folder->isValid()) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder->path()));
    }
    return folder;
}

} // namespace fontlathe
