#include "support/refusal.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "support/process.h"

namespace test_support {

Args with(Args args, Args const& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

void expect_refused(std::string const& program, Scratch const& scratch, Args const& args, std::string const& out) {
    SCOPED_TRACE(::testing::PrintToString(args));
    auto const before = scratch.snapshot();
    RunResult const r = run(program, args, scratch.dir());
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(scratch.snapshot(), before);
}

void expect_refused_as_file(std::string const& program, Scratch const& scratch, Args const& args,
                            std::string const& out) {
    expect_refused(program, scratch, args, out);
    expect_refused(program, scratch, with(args, {"-n"}), out);
    if (std::find(args.begin(), args.end(), "folder") == args.end()) return;
    Args pipe = args;
    std::replace(pipe.begin(), pipe.end(), std::string("folder"), std::string("pipe"));
    std::string pipe_out = out;
    for (std::size_t at = pipe_out.find("folder"); at != std::string::npos; at = pipe_out.find("folder", at))
        pipe_out.replace(at, 6, "pipe");
    expect_refused(program, scratch, pipe, pipe_out);
    expect_refused(program, scratch, with(pipe, {"-n"}), pipe_out);
}

}  // namespace test_support
