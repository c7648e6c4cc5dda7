#include "tool/Pagetool.h"

#include <new>

#include "base/ErrorText.h"
#include "base/Exceptions.h"
#include "tool/Commands.h"

namespace pm::tool {

namespace {

struct Command {
  const char* name;
  int (*run)(ArgumentList&, std::ostream&);
  const char* usage;
};

constexpr const char* kLinkValues =
    "LEFT,TOP,RIGHT,BOTTOM,LINKPAGE,BITMAP are read with the editor's integer parsing\n"
    "(\"$ff\" is 255); slot and link numbers N are 0 to 255. Options apply in the order given.\n";

const Command kCommands[] = {
    {"new", RunNew,
     "pagetool new OUT.pag [--background BMP] [--slot N=BMP]... [--link N=LEFT,TOP,RIGHT,BOTTOM,"
     "LINKPAGE,BITMAP]...\n"
     "  Makes a new page, applies the options and saves it as OUT.pag. An empty background is\n"
     "  saved as the 640 x 480 placeholder.\n"},
    {"edit", RunEdit,
     "pagetool edit IN.pag OUT.pag [--background BMP] [--slot N=BMP] [--clear-slot N]\n"
     "                             [--link N=LEFT,TOP,RIGHT,BOTTOM,LINKPAGE,BITMAP] [--clear-link "
     "N]...\n"
     "  Loads IN.pag, applies the options and saves OUT.pag (which may be IN.pag). Streams that\n"
     "  nothing replaced are written back byte for byte; --link leaves the reserved word alone.\n"},
    {"info", RunInfo,
     "pagetool info FILE.pag [--json]\n"
     "  Prints the header entries, each stored stream's width, height, components and whether\n"
     "  it is progressive, the link table entry and the links that differ from\n"
     "  (-1, -1, -1, -1, -1, 0, -1). With --json, one JSON object with the keys file_size,\n"
     "  background, slots, link_table and links.\n"},
    {"check", RunCheck,
     "pagetool check FILE.pag\n"
     "  Lists every structural problem: entries past the end of the file, overlapping streams,\n"
     "  streams without a start-of-image marker, a link table size other than 7168, bytes after\n"
     "  the link table, and whether the editor can load the file. Exit status 0 when there is\n"
     "  none, 1 otherwise.\n"},
    {"extract", RunExtract,
     "pagetool extract FILE.pag DIR\n"
     "  Writes background.jpg and slotNNN.jpg for each stored stream, byte for byte, and\n"
     "  links.csv with all 256 link records, into DIR (made when missing).\n"},
    {"bmp", RunBmp,
     "pagetool bmp IN.bmp OUT.bmp\n"
     "  Reads a BMP file with the editor's reader and writes it as a bottom-up 24-bit BMP file.\n"},
    {"decode", RunDecode,
     "pagetool decode FILE.pag background|N OUT.bmp\n"
     "  Decodes one stored stream as the editor shows it and writes it as a BMP file in its own\n"
     "  format: 24 bits, or 8 bits with its palette.\n"},
    {"render", RunRender,
     "pagetool render FILE.pag OUT.bmp\n"
     "  Writes the decoded background, 24 bits, with a one-pixel red outline for every link\n"
     "  whose four edges are set.\n"},
};

void PrintUsage(std::ostream& out) {
  out << "pagetool: page files of もけぽんたす ページメーカー from the command line.\n\n";
  for (const Command& command : kCommands) out << command.usage << "\n";
  out << kLinkValues
      << "A failure prints the editor's message and exits with 1, leaving no output file;\n"
         "a usage error exits with 2. pagetool COMMAND --help describes one command.\n";
}

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
  const Command* command = FindCommand(arguments[0]);
  if (command == nullptr) {
    err << "pagetool: unknown command: " << arguments[0] << "\n\n";
    PrintUsage(err);
    return kExitUsage;
  }
  if (arguments.size() > 1 && IsHelp(arguments[1])) {
    out << command->usage;
    return kExitSuccess;
  }
  try {
    ArgumentList list(arguments.subspan(1));
    return command->run(list, out);
  } catch (const UsageError& e) {
    err << "pagetool " << command->name << ": " << e.what() << "\n\n" << command->usage;
    return kExitUsage;
  } catch (const EAbort&) {
    return kExitFailure;
  } catch (const Exception& e) {
    err << WithFullStop(e.Message()) << "\n";
  } catch (const std::bad_alloc&) {
    err << WithFullStop("メモリが足りません") << "\n";
  } catch (const std::exception& e) {
    err << WithFullStop(e.what()) << "\n";
  }
  return kExitFailure;
}

}  // namespace pm::tool
