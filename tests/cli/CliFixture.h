#pragma once

#include "cli/CliApp.h"
#include "support/AppFixture.h"

#include <QStringList>
#include <QTextStream>

namespace fontlathe::test {

// The tool runs in the test's own folder, so names stand for files there.
class CliAppTest : public AppFixture {
protected:
    struct Run {
        int status;
        QString out, err;
    };
    Run Cli(const QStringList& args) {
        Run run;
        QTextStream out(&run.out), err(&run.err);
        run.status = RunCli(args, out, err);
        return run;
    }
};

} // namespace fontlathe::test
