#include "tool/Pagetool.h"

#include <new>
#include <span>
#include <string>

#include "base/ErrorText.h"
#include "base/Exceptions.h"
#include "tool/Commands.h"
#include "tool/HelpText.h"
#include "tool/TerminalText.h"

namespace pm::tool {

namespace {

struct OptionHelp {
  const char* tag;
  const char* text;
};

// The options of new and edit; new takes the first kNewOptionCount of them.
constexpr OptionHelp kPageEditOptions[] = {
    {"--background PICTURE",
     "imports PICTURE, a BMP, PNG, JPEG, GIF or WebP file, as the background"},
    {"--slot N=PICTURE", "imports PICTURE, a file of any of these formats, into slot N"},
    {"--link N=LEFT,TOP,RIGHT,BOTTOM,LINKPAGE,BITMAP",
     "sets the six values of link N; edit leaves its reserved word alone"},
    {"--clear-slot N", "empties slot N (edit only)"},
    {"--clear-link N", "sets link N to -1, -1, -1, -1, -1, 0, -1 (edit only)"},
};
constexpr std::size_t kNewOptionCount = 3;

constexpr OptionHelp kInfoOptions[] = {
    {"--json",
     "prints one JSON object with the keys file_size, background, slots, link_table and links"},
};

// The options of the commands over a whole document; graph takes the first, check-document the
// first two, site the first and the last three.
constexpr OptionHelp kDocumentOptions[] = {
    {"--start N", "the start page, from which links are followed (the lowest page number)"},
    {"--json",
     "prints one JSON object with the keys pages, start and findings, each finding with kind, "
     "page, link and message (check-document)"},
    {"--slot-pictures hover|always|never",
     "when a link shows its slot picture: on hover and keyboard focus (hover), always or never "
     "(site)"},
    {"--force", "writes the site beside files in OUTDIR that no site wrote, never over one (site)"},
};
constexpr OptionHelp kSiteOptions[] = {kDocumentOptions[0], kDocumentOptions[2],
                                       kDocumentOptions[3]};

constexpr const char* kDocumentPattern =
    "PATTERN is a path whose file name holds exactly one %d or %0Wd (W from 1 to 9), as in "
    "pages/page%d.pag or story/%03d.pag. Page N is the file that it gives for N; every file of "
    "that folder whose name it gives for a number is a page, other files are ignored. A link is "
    "followed when it has four set edges, some of its rectangle lies on the background and its "
    "link page has a file.";

constexpr const char* kLinkValues =
    "A picture's format is recognised by its content, not its name. A JPEG file that page files "
    "can hold as it is (8-bit, Huffman-coded, baseline or progressive, grey or colour) and that "
    "decodes without damage is stored byte for byte, without its metadata, comments and "
    "trailing bytes; any other picture is stored as JPEG at quality 90. Pictures wider or "
    "taller than 65500 pixels are refused. Slot and link numbers N "
    "are 0 to 255. LEFT, TOP, RIGHT, BOTTOM, LINKPAGE and BITMAP are "
    "read with the editor's integer parsing (\"$ff\" is 255). Options apply in the order given.";

constexpr const char* kTerminalText =
    "Texts from outside that pagetool prints (file names, arguments, and the messages that "
    "carry them) have their control characters and any bytes that aren't UTF-8 written as C "
    "escapes, such as \\n, \\t and \\x1b, so that nothing of theirs reaches the terminal raw; "
    "a backslash stays as it is.";

constexpr int kExitStatusColumn = 5;
constexpr const char* kExitStatus[][2] = {
    {"0", "success; for check and check-document, no problem found"},
    {"1", "a failure: the editor's message is printed and no output file is left"},
    {"2", "a usage error"},
};

struct Command {
  const char* name;
  int (*run)(ArgumentList&, std::ostream&);
  const char* arguments;
  const char* summary;
  std::span<const OptionHelp> options = {};
  const char* note = nullptr;  // a closing paragraph of the command's own help
};

const Command kCommands[] = {
    {"new", RunNew, "OUT.pag [OPTION]...",
     "Makes a new page, applies the options and saves it as OUT.pag. An empty background is "
     "saved as the 640 x 480 placeholder.",
     std::span(kPageEditOptions, kNewOptionCount), kLinkValues},
    {"edit", RunEdit, "IN.pag OUT.pag [OPTION]...",
     "Loads IN.pag, applies the options and saves OUT.pag, which may be IN.pag. Streams that "
     "nothing replaced are written back byte for byte.",
     kPageEditOptions, kLinkValues},
    {"info", RunInfo, "FILE.pag [--json]",
     "Prints the header entries, each stored stream's width, height, components and whether it "
     "is progressive, the link table entry and the links that differ from -1, -1, -1, -1, -1, "
     "0, -1.",
     kInfoOptions},
    {"check", RunCheck, "FILE.pag",
     "Lists every structural problem: entries past the end of the file, overlapping streams, "
     "streams without a start-of-image marker, a link table size other than 7168, bytes after "
     "the link table, and whether the editor can load the file. The exit status is 0 when there "
     "is none, 1 otherwise."},
    {"extract", RunExtract, "FILE.pag DIR",
     "Writes background.jpg and slotNNN.jpg for each stored stream, byte for byte, and "
     "links.csv with all 256 link records, into DIR (made when missing)."},
    {"bmp", RunBmp, "IN.bmp OUT.bmp",
     "Reads a BMP file with the editor's reader and writes it as a bottom-up 24-bit BMP file."},
    {"decode", RunDecode, "FILE.pag background|N OUT.bmp",
     "Decodes one stored stream as the editor shows it and writes it as a BMP file in its own "
     "format: 24 bits, or 8 bits with its palette."},
    {"render", RunRender, "FILE.pag OUT.bmp",
     "Writes the decoded background, 24 bits, with a one-pixel red outline for every link whose "
     "four edges are set."},
    {"check-document", RunCheckDocument, "PATTERN [--start N] [--json]",
     "Loads every page of the document as the editor does and lists, one line each with the "
     "page and link numbers: a page that fails to load (load-failed), a link with four set edges "
     "and link page -1 (no-target), a link whose link page has no file (dead-link), a Bitmap "
     "that names an empty slot or a number outside 0 to 255 (bad-slot), Right < Left or Bottom "
     "< Top (inverted-rectangle), a rectangle partly or wholly outside the background "
     "(outside-background), a page that no chain of links from the start page reaches "
     "(unreachable). The exit status is 0 when there is none, 1 otherwise.",
     std::span(kDocumentOptions, 2), kDocumentPattern},
    {"graph", RunGraph, "PATTERN [--start N]",
     "Prints the document's map as a Graphviz DOT graph, which dot -Tsvg draws: a node per page "
     "with its number and file name, the start page with a double border, pages that fail to "
     "load red, unreachable pages dashed; an edge per link that names a link page, labelled with "
     "its number, dotted when no reader can click it, red and dashed to a node of the missing "
     "page for a dead link.",
     std::span(kDocumentOptions, 1), kDocumentPattern},
    {"site", RunSite, "PATTERN OUTDIR [OPTION]...",
     "Writes the document as a static web site of plain HTML and CSS into OUTDIR (made when "
     "missing): index.html with the map (drawn by dot when it is on the PATH, else a list), "
     "page-N.html for each page with its links over its background, and the pictures byte for "
     "byte as the page files store them. A page that fails to load fails the whole site, and a "
     "failure leaves OUTDIR as it was. The site replaces or removes only the files that an "
     "earlier site wrote there, all at once. An OUTDIR holding files that no site wrote is "
     "refused unless --force, and always when one of them has the name of a file of the site. "
     "dot may take 8 seconds and 512 MiB, else the map is a list.",
     kSiteOptions, kDocumentPattern},
};

std::string Synopsis(const Command& command) {
  return std::string(command.name) + " " + command.arguments;
}

void PrintExitStatus(std::ostream& out) {
  out << "Exit status:\n";
  for (const auto& [status, meaning] : kExitStatus) {
    WriteEntry(out, status, meaning, kExitStatusColumn);
  }
}

void PrintUsage(std::ostream& out) {
  out << "Usage: pagetool COMMAND ARGUMENT... [OPTION]...\n"
         "  or:  pagetool COMMAND --help\n"
         "  or:  pagetool --help | --version\n";
  WriteParagraph(out,
                 "Builds and inspects the page files of もけぽんたす ページメーカー from the "
                 "command line, along the editor's own paths.");
  out << "\nCommands:\n";
  for (const Command& command : kCommands) WriteEntry(out, Synopsis(command), command.summary);
  out << "\nOptions of new and edit:\n";
  for (const OptionHelp& option : kPageEditOptions) WriteEntry(out, option.tag, option.text);
  out << "\nOptions of info:\n";
  for (const OptionHelp& option : kInfoOptions) WriteEntry(out, option.tag, option.text);
  out << "\nOptions of check-document, graph and site:\n";
  for (const OptionHelp& option : kDocumentOptions) WriteEntry(out, option.tag, option.text);
  out << "\n";
  WriteParagraph(out, kLinkValues);
  out << "\n";
  WriteParagraph(out, kDocumentPattern);
  out << "\n";
  WriteParagraph(out, kTerminalText);
  out << "\n";
  PrintExitStatus(out);
}

void PrintCommandUsage(std::ostream& out, const Command& command) {
  out << "Usage: pagetool " << Synopsis(command) << "\n";
  WriteParagraph(out, command.summary);
  if (!command.options.empty()) {
    out << "\nOptions:\n";
    for (const OptionHelp& option : command.options) WriteEntry(out, option.tag, option.text);
  }
  if (command.note != nullptr) {
    out << "\n";
    WriteParagraph(out, command.note);
  }
}

void PrintVersion(std::ostream& out) { out << "pagetool " << PM_VERSION << "\n"; }

const Command* FindCommand(const std::string& name) {
  for (const Command& command : kCommands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

bool IsHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

}  // namespace

int RunPagetool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  if (arguments.empty()) {
    PrintUsage(err);
    return kExitUsage;
  }
  if (IsHelp(arguments[0])) {
    PrintUsage(out);
    return kExitSuccess;
  }
  if (arguments[0] == "--version") {
    PrintVersion(out);
    return kExitSuccess;
  }
  const Command* command = FindCommand(arguments[0]);
  if (command == nullptr) {
    err << "pagetool: unknown command: " << TerminalText(arguments[0]) << "\n\n";
    PrintUsage(err);
    return kExitUsage;
  }
  if (arguments.size() > 1 && IsHelp(arguments[1])) {
    PrintCommandUsage(out, *command);
    return kExitSuccess;
  }
  try {
    ArgumentList list(arguments.subspan(1));
    return command->run(list, out);
  } catch (const UsageError& e) {
    err << "pagetool " << command->name << ": " << TerminalText(e.what()) << "\n\n";
    PrintCommandUsage(err, *command);
    return kExitUsage;
  } catch (const EAbort&) {
    return kExitFailure;
  } catch (const Exception& e) {
    err << FailureText(e) << "\n";
  } catch (const std::bad_alloc&) {
    err << WithFullStop(kOutOfMemoryMessage) << "\n";
  } catch (const std::exception& e) {
    err << TerminalText(WithFullStop(e.what())) << "\n";
  }
  return kExitFailure;
}

}  // namespace pm::tool
