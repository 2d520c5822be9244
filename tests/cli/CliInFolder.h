// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line run as from a shell whose current folder is `music` below a temporary
// folder: tests make their files, then EnterMusic(); the previous folder comes back after.
#include "cli/Commands.h"
#include "tests/support/EngineFakes.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace platterwise::cli {

class CliInFolder : public ::testing::Test {
protected:
    void EnterMusic() {
        // The catalogue plans consult by default is the test's own, never the user's.
        ::setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
        previous_ = ::get_current_dir_name();
        ASSERT_EQ(::chdir((dir_ / "music").c_str()), 0);
    }
    void TearDown() override {
        if (previous_ != nullptr) {
            ASSERT_EQ(::chdir(previous_), 0);
            ::free(previous_);
        }
    }
    int Run(std::vector<std::string> args) {
        out_.str({});
        err_.str({});
        return RunCli(args, out_, err_);
    }

    testing::TempDir dir_;
    std::ostringstream out_, err_;

private:
    char* previous_ = nullptr;
};

} // namespace platterwise::cli
