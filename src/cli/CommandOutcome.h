#pragma once

#include "CliApp.h"

#include <QString>

#include <utility>

namespace fontlathe {

// What a command that works on files came to: its exit status and, for a failure, the file at
// fault (empty when the reason names it) and the reason, which the caller prints as it prints
// every failure.
struct CommandOutcome {
    int status = ExitSuccess;
    QString path;
    QString reason;

    static CommandOutcome Status(int status) { return CommandOutcome{status, {}, {}}; }
    static CommandOutcome Failure(QString path, QString reason) {
        return CommandOutcome{ExitFailure, std::move(path), std::move(reason)};
    }
    bool failed() const { return status == ExitFailure || status == ExitUsage; }
};

} // namespace fontlathe
