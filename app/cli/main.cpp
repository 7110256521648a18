// The `sorvelin` command-line program: runs the workbench's commands on a
// document text and prints the report the desktop view would show.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string_view>

namespace {

constexpr int kExitUsage = 2;

void PrintUsage(std::ostream& out) {
  out << "Usage: sorvelin [OPTIONS] COMMAND [FILE]\n"
         "\n"
         "Reads a document (FILE, or standard input when FILE is '-' or absent),\n"
         "runs COMMAND on it and writes the report to standard output.\n"
         "\n"
         "Options:\n"
         "  --help         show this text\n"
         "  --version      show the program version\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(std::cerr);
    return kExitUsage;
  }
  std::string_view first = argv[1];
  if (first == "--help" || first == "-h") {
    PrintUsage(std::cout);
    return 0;
  }
  if (first == "--version") {
    std::cout << "sorvelin " << SORVELIN_VERSION << "\n";
    return 0;
  }
  if (first.rfind("-", 0) == 0 && first != "-") {
    std::cerr << "sorvelin: unknown option '" << first << "' (see 'sorvelin --help')\n";
    return kExitUsage;
  }
  std::cerr << "sorvelin: unknown command '" << first << "' (see 'sorvelin --help')\n";
  return kExitUsage;
}
