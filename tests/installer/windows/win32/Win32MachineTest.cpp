// The Machine port's Win32 implementation, against Wine's answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>

#include "Win32Machine.h"

namespace talvo {
namespace {

TEST(Win32Machine, ReportsDrivesFoldersAndUser) {
  Win32Machine machine;
  const std::vector<std::string> radici = machine.RadiciDischi();
  ASSERT_FALSE(radici.empty());
  EXPECT_EQ(radici.front(), "C:\\");
  EXPECT_TRUE(std::is_sorted(radici.begin(), radici.end()));
  EXPECT_EQ(machine.TipoDiDisco("C:\\"), TipoDisco::Fisso);
  EXPECT_EQ(machine.TipoDiDisco("Q:\\"), TipoDisco::Sconosciuto);

  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(machine.CartellaWindows(), windows);
  EXPECT_EQ(machine.CartellaSistema(), std::string(windows) + "\\system32");
  EXPECT_FALSE(machine.NomeUtente().empty());
  // Wine runs programs as an ordinary user of the prefix, never as the system account.
  EXPECT_FALSE(machine.AccountDiSistema());
}

TEST(Win32Machine, StartsProcessesWithoutWaiting) {
  Win32Machine machine;
  EXPECT_TRUE(machine.AvviaNascosto("cmd.exe /c exit 0"));
  EXPECT_FALSE(machine.AvviaNascosto("C:\\assente\\programma-assente.exe /s"));
}

TEST(Win32Machine, WaitsTwoSecondsOfElapsedTime) {
  Win32Machine machine;
  const auto inizio = std::chrono::steady_clock::now();
  machine.AttendiDueSecondi();
  EXPECT_GE(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(2));
}

}  // namespace
}  // namespace talvo
