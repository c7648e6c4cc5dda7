// File names and other texts from outside with control characters in them: every command prints
// them escaped, never raw to the terminal.
#include "tool/TerminalText.h"

#include <filesystem>

#include "tests/support/TestDocument.h"
#include "tests/tool/PagetoolTestSupport.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;
using tool::TerminalText;
using tool::TLineFeeds;

// True when nothing in the text would act on a terminal: no control character but line feeds.
bool OnlyPrintable(const std::string& text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\n') || byte == 0x7F) return false;
  }
  return text.find("\xC2\x9B") == std::string::npos;
}

TEST(TerminalTextTest, ControlCharactersAndBytesThatArentUtf8BecomeCEscapes) {
  EXPECT_EQ(TerminalText("page\x1b[31m.pag"), "page\\x1b[31m.pag");
  EXPECT_EQ(TerminalText("a\nb\tc\rd\ae\x7f"), "a\\nb\\tc\\rd\\ae\\x7f");
  EXPECT_EQ(TerminalText(std::string("nul\0end", 7)), "nul\\x00end");
  // The C1 control U+009B (a one-character escape sequence to some terminals) and stray bytes.
  EXPECT_EQ(TerminalText("x\xC2\x9B"
                         "2J\xFF\xC3"),
            "x\\xc2\\x9b2J\\xff\\xc3");
  // Japanese, other printable characters and backslashes stay as they are.
  EXPECT_EQ(TerminalText("ページ\\一.pag é"), "ページ\\一.pag é");
  EXPECT_EQ(TerminalText("line\nline\x1b\n", TLineFeeds::Kept), "line\nline\\x1b\n");
}

class TerminalOutputTest : public PagetoolTest {};

TEST_F(TerminalOutputTest, EveryCommandPrintsFileNamesWithTheirControlCharactersEscaped) {
  const std::string hostile = "p\x1b]0;owned\x07\x1b[2J\n";
  const std::string escaped = "p\\x1b]0;owned\\a\\x1b[2J\\n";
  const fs::path folder = dir_.Path() / hostile;
  fs::create_directory(folder);
  const std::string page = (folder / "page.pag").string();
  WriteTestPage(page, {.slots = {0}, .links = {{0, Link(1, 1, 20, 20, 7)}}});
  const std::string escapedFolder = dir_.File(escaped);

  // A failure's message: a file that can't be opened.
  const auto missing = RunPagetool({"info", (folder / "missing.pag").string()});
  EXPECT_EQ(missing.err, "ファイル " + escapedFolder + "/missing.pag は開けません.\n");
  const auto picture = RunPagetool(
      {"new", dir_.File("out.pag"), "--slot", "0=" + (folder / "missing.bmp").string()});
  EXPECT_EQ(picture.err, "ファイル " + escapedFolder + "/missing.bmp は開けません.\n");

  // The output folder that extract names.
  const auto extracted = RunPagetool({"extract", page, (folder / "streams").string()});
  EXPECT_EQ(extracted.out, "2 streams and links.csv written to " + escapedFolder + "/streams\n");

  // A document's findings, as lines, and its map.
  const std::string pattern = (folder / "p%d.pag").string();
  fs::copy_file(page, folder / "p1.pag");
  const auto findings = RunPagetool({"check-document", pattern});
  EXPECT_NE(findings.out.find("(" + escapedFolder + "/p7.pag)"), std::string::npos) << findings.out;
  const fs::path document = dir_.Path() / "document";
  fs::create_directory(document);
  WriteTestPage((document / "\x1b[7m1.pag").string(), {});
  const auto graph = RunPagetool({"graph", (document / "\x1b[7m%d.pag").string()});
  EXPECT_NE(graph.out.find("\\x1b[7m1.pag"), std::string::npos) << graph.out;
  // Arguments in usage errors, and an unknown command.
  const auto unknown = RunPagetool({"\x1b[31mnew"});
  EXPECT_EQ(unknown.err.rfind("pagetool: unknown command: \\x1b[31mnew\n", 0), 0u);
  const auto option = RunPagetool({"check-document", pattern, "--\x1b[5m"});
  EXPECT_NE(option.err.find("unknown option: --\\x1b[5m"), std::string::npos) << option.err;

  for (const ProcessResult* result :
       {&missing, &picture, &extracted, &findings, &graph, &unknown, &option}) {
    EXPECT_TRUE(OnlyPrintable(result->out)) << result->out;
    EXPECT_TRUE(OnlyPrintable(result->err)) << result->err;
  }
}

}  // namespace
}  // namespace pm::test
