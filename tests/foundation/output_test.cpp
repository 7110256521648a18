#include "foundation/output.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "foundation/message_box.h"
#include "foundation/status_reporter.h"
#include "foundation/text_reader.h"

namespace {

namespace fs = std::filesystem;

// A fresh directory per test for the files it binds.
class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory = fs::temp_directory_path() /
                ("sorvelin-output-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory);
    fs::create_directories(directory);
    ClearMessageBoxLog();
  }
  void TearDown() override { fs::remove_all(directory); }

  std::string PathOf(const char* name) const { return (directory / name).string(); }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  fs::path directory;
};

TEST(TOutput, TextHelpers) {
  TOutput out;
  out.NewLines(0);
  EXPECT_STREQ(out.Text(), "");
  out.NewLines(20);
  EXPECT_EQ(out.TextLength(), 32u);  // at most 16 CR LF pairs
  out.Clear();
  out.Append("a");
  out.Spaces(3);
  out.Tabs(2);
  out.AppendString(TString("b"));
  EXPECT_STREQ(out.Text(), "a   \t\tb");
  out.Clear();
  struct TCase {
    int kind;
    const char* marker;
  } markers[] = {{1, "% ***"}, {2, "%%"}, {3, "%%"}, {0, "%"}, {7, "%"}};
  for (const TCase& c : markers) {
    out.Clear();
    out.CommentMarker(c.kind);
    EXPECT_STREQ(out.Text(), c.marker) << c.kind;
  }
}

TEST(TOutput, OwnHeapHoldsTheTextAndDiesWithTheBuffer) {
  TOutput out;
  out.CreateOwnHeap();
  THeapHandle heap = out.CurrentHeap();
  EXPECT_NE(heap, SharedStringHeap());
  out.Append("report text");
  EXPECT_EQ(PrivateHeapBlockCount(heap), 1u);
  out.CreateOwnHeap();  // a second one replaces (and destroys) the first
  EXPECT_STREQ(out.Text(), "");
  out.Append("again");
  out.Destroy();  // the sanitizer build reports anything left
  EXPECT_STREQ(out.Text(), "");
}

TEST(TOutput, BinaryBlock) {
  THeapContext context;
  THeapContextGuard guard(context);
  TOutput out;
  out.SetBinary();
  out.ReserveBinary(100);
  EXPECT_GE(out.Capacity(), 100u);
  EXPECT_EQ(out.Used(), 0u);
  EXPECT_EQ(out.CurrentHeap(), CurrentHeap());
  out.Clear();
  EXPECT_EQ(out.Block(), nullptr);
}

TEST_F(OutputFileTest, OpenModesAndFileName) {
  std::string path = PathOf("report.txt");
  Write(path, "old contents");
  TOutput out;
  EXPECT_EQ(out.Open(path.c_str(), 5), 0);
  EXPECT_EQ(out.Open(PathOf("missing.txt").c_str(), TOutput::kOpenRead), 0);
  EXPECT_EQ(out.Open(path.c_str(), TOutput::kOpenWrite), 1);
  EXPECT_EQ(Contents(path), "");  // emptied at the open

  char buffer[8];
  EXPECT_EQ(out.GetFileName(buffer, sizeof buffer), 0);
  EXPECT_EQ(std::string(buffer), path.substr(0, 7));
  std::string full(path.size() + 1, '\0');
  EXPECT_EQ(out.GetFileName(full.data(), full.size()), 1);
  EXPECT_EQ(full.c_str(), path);
}

TEST_F(OutputFileTest, AppendingWrites) {
  std::string path = PathOf("Temp.out");
  TOutput out(path.c_str(), TOutput::kOpenWrite);
  EXPECT_EQ(out.WriteFile(), 1);  // nothing to write
  EXPECT_EQ(Contents(path), "");
  out.Append("first\r\n");
  EXPECT_EQ(out.WriteFile(), 1);
  EXPECT_STREQ(out.Text(), "");
  out.Append("second\r\n");
  EXPECT_EQ(out.WriteFile(), 1);
  EXPECT_EQ(Contents(path), "first\r\nsecond\r\n");
}

TEST_F(OutputFileTest, FailedWriteKeepsTheTextAndReportsIt) {
  std::string path = PathOf("vanishing.out");
  TOutput out(path.c_str(), TOutput::kOpenWrite);
  fs::remove(path);  // later writes reopen without creating: they fail
  std::string shown;
  SetStatusBarSink([&](const char* text) { shown = text; });
  out.Append("precious");
  EXPECT_EQ(out.WriteFile(), 0);
  EXPECT_STREQ(out.Text(), "precious");
  EXPECT_EQ(shown, "Unable to write file " + path);
  SetStatusBarSink(nullptr);
  // Once the file is back, the kept text goes out exactly once.
  Write(path, "");
  EXPECT_EQ(out.WriteFile(), 1);
  EXPECT_EQ(Contents(path), "precious");

  if (fs::exists("/dev/full")) {
    TOutput full("/dev/full", TOutput::kOpenWrite);
    full.Append("no room");
    EXPECT_EQ(full.WriteFile(), 0);
    EXPECT_STREQ(full.Text(), "no room");
  }
}

TEST_F(OutputFileTest, LoadFile) {
  std::string empty = PathOf("empty.txt");
  Write(empty, "");
  TOutput out(empty.c_str(), TOutput::kOpenRead);
  out.Append("stale");
  EXPECT_EQ(out.LoadFile(), 0u);
  EXPECT_STREQ(out.Text(), "");
  EXPECT_TRUE(MessageBoxLog().empty());

  std::string path = PathOf("spine.txt");
  std::string text = "cell a\r\nedge b\nlast";
  Write(path, text);
  TOutput loaded(path.c_str(), TOutput::kOpenRead);
  EXPECT_EQ(loaded.LoadFile(), text.size());
  loaded.CloseFile();
  EXPECT_EQ(std::string(loaded.Text()), text);

  {
    // The binary block comes from the current heap: give it a context of its own.
    THeapContext context;
    THeapContextGuard guard(context);
    TOutput binary(path.c_str(), TOutput::kOpenRead);
    binary.SetBinary();
    EXPECT_EQ(binary.LoadFile(), text.size());
    EXPECT_EQ(binary.Used(), text.size());
    EXPECT_EQ(binary.Cursor(), binary.Block());
    EXPECT_EQ(std::string(reinterpret_cast<char*>(binary.Block()), binary.Used()), text);
  }

  TOutput unbound;
  EXPECT_EQ(unbound.LoadFile(), 0u);
  EXPECT_TRUE(MessageBoxLog().empty());
}

TEST_F(OutputFileTest, FailedReadShowsTheMessage) {
  TOutput out(directory.c_str(), TOutput::kOpenRead);  // a directory opens but cannot be read
  EXPECT_EQ(out.LoadFile(), 0u);
  EXPECT_EQ(MessageBoxLog(), std::vector<std::string>{"Error! Unable to load file."});
}

TEST_F(OutputFileTest, BinaryFlushAppendsTheUsedBytes) {
  std::string path = PathOf("table.bin");
  THeapContext context;
  THeapContextGuard guard(context);
  TOutput out(path.c_str(), TOutput::kOpenWrite);
  out.SetBinary();
  out.ReserveBinary(4);
  std::memcpy(out.Block(), "\x01\x00\x02\x03", 4);
  out.SetUsed(4);
  EXPECT_EQ(out.FlushBinary(), 1);
  EXPECT_EQ(out.Used(), 0u);
  std::memcpy(out.Block(), "\xff", 1);
  out.SetUsed(1);
  EXPECT_EQ(out.WriteFile(), 1);
  EXPECT_EQ(Contents(path), std::string("\x01\x00\x02\x03\xff", 5));
}

TEST_F(OutputFileTest, TextReaderLoadsItsFile) {
  std::string path = PathOf("doc.txt");
  Write(path, "first\r\nsecond");
  TTextReader reader(path.c_str());
  const char* text = reader.AttachLoadedText();
  EXPECT_STREQ(text, "first\r\nsecond");
  EXPECT_STREQ(reader.CurrentLine(), "first");
  EXPECT_STREQ(reader.NextLine(), "second");
  reader.DetachLoadedText();
  EXPECT_EQ(reader.CurrentLine(), nullptr);
}

TEST(MessageBox, HandlerAnswersElseDefaultAndLog) {
  ClearMessageBoxLog();
  EXPECT_EQ(ShowMessageBox("Continue?", TMessageButtons::OkCancel), TMessageResult::Ok);
  EXPECT_EQ(ShowMessageBox("Sure?", TMessageButtons::YesNo), TMessageResult::Yes);
  EXPECT_EQ(MessageBoxLog(), (std::vector<std::string>{"Continue?", "Sure?"}));
  std::string asked;
  TMessageBoxHandler previous = SetMessageBoxHandler(
      [&](std::string_view text, TMessageButtons, TMessageIcon) {
        asked = text;
        return TMessageResult::Cancel;
      });
  EXPECT_FALSE(previous);
  EXPECT_EQ(ShowMessageBox("Stop?", TMessageButtons::OkCancel), TMessageResult::Cancel);
  EXPECT_EQ(asked, "Stop?");
  EXPECT_EQ(MessageBoxLog().size(), 2u);
  SetMessageBoxHandler(previous);
}

}  // namespace
