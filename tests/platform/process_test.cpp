// The test support's own child processes and X server: the e2e tests stand on them.
#include "support/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>

#include "support/x11_helpers.h"
#include "support/xvfb_server.h"

namespace {

TEST(ChildProcess, CapturesBothStreamsTheExitCodeAndTheExtraEnvironment) {
  SpawnOptions options;
  options.env = {"VEXMOOR_PROBE=seen here", "HOME=/nowhere"};
  const ProcessResult r =
      RunProcess({"sh", "-c", "echo \"$VEXMOOR_PROBE $HOME\"; echo oops >&2; exit 3"}, options, 10.0);
  EXPECT_TRUE(r.started);
  EXPECT_FALSE(r.timedOut);
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.out, "seen here /nowhere\n");
  EXPECT_EQ(r.err, "oops\n");
  EXPECT_FALSE(r.Succeeded());
}

TEST(ChildProcess, TimeoutKillsTheChild) {
  const auto start = std::chrono::steady_clock::now();
  const ProcessResult r = RunProcess({"sleep", "30"}, {}, 0.3);
  EXPECT_TRUE(r.timedOut);
  EXPECT_EQ(r.signal, SIGKILL);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(ChildProcess, LargeOutputDoesNotBlockTheChild) {
  const ProcessResult r = RunProcess({"sh", "-c", "head -c 300000 /dev/zero | tr '\\0' x"}, {}, 10.0);
  EXPECT_TRUE(r.Succeeded());
  EXPECT_EQ(r.out.size(), 300000u);
}

TEST(ChildProcess, ForkReturnsWhatTheBodyReturns) {
  ChildProcess child;
  ASSERT_TRUE(child.Fork([] { return std::string("from the copy"); }));
  const ProcessResult r = child.Wait(10.0);
  EXPECT_TRUE(r.Succeeded());
  EXPECT_EQ(r.out, "from the copy");
}

TEST(ChildProcess, MissingProgramDoesNotStart) {
  ChildProcess child;
  EXPECT_FALSE(child.Start({"vexmoor-no-such-program-here"}));
  EXPECT_FALSE(child.Start({}));
  EXPECT_FALSE(RunProcess({"/nonexistent/program"}, {}, 1.0).started);
}

TEST(XvfbServer, TwoServersGetTwoDisplaysAndAcceptClients) {
  if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbServer first, second;
  ASSERT_TRUE(first.ok()) << first.error();
  ASSERT_TRUE(second.ok()) << second.error();
  EXPECT_NE(first.display(), second.display());
  XConnection a(first.display()), b(second.display());
  EXPECT_TRUE(a.ok());
  EXPECT_TRUE(b.ok());
  EXPECT_EQ(a.FindWindow("no such window"), 0u);
}

}  // namespace
