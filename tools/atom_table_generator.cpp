// Project tool: writes the internal table of hyperbolic atoms from the cusped
// census (see recognition/atom_table_generation.h for the format and checks).
//
//   sorvelin_atom_table_generator CENSUS.tsv OUTPUT.txt [--max-tetrahedra N] [--no-move-check]
//
// The output is written only when every entry passed its checks; the
// entries that failed are listed on standard error and the status is 1.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "recognition/atom_table_generation.h"

int main(int argc, char** argv) {
  TAtomTableGenerationOptions options;
  std::string census, output;
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    if (word == "--max-tetrahedra" && i + 1 < argc) {
      try {
        options.maxTetrahedra = std::stoi(argv[++i]);
      } catch (...) {
        std::cerr << "sorvelin_atom_table_generator: bad number '" << argv[i] << "'\n";
        return 2;
      }
    } else if (word == "--no-move-check") {
      options.checkMoves = false;
    } else if (census.empty()) {
      census = word;
    } else if (output.empty()) {
      output = word;
    } else {
      std::cerr << "sorvelin_atom_table_generator: unexpected argument '" << word << "'\n";
      return 2;
    }
  }
  if (output.empty()) {
    std::cerr << "usage: sorvelin_atom_table_generator CENSUS.tsv OUTPUT.txt [--max-tetrahedra N] "
                 "[--no-move-check]\n";
    return 2;
  }
  std::ifstream in(census, std::ios::binary);
  if (!in) {
    std::cerr << "sorvelin_atom_table_generator: cannot read '" << census << "'\n";
    return 2;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string error;
  std::vector<TAtomCensusEntry> entries = ReadAtomCensus(text, error);
  if (!error.empty()) {
    std::cerr << "sorvelin_atom_table_generator: " << census << ": " << error << "\n";
    return 1;
  }
  TAtomTableGenerationResult result = GenerateAtomTable(std::move(entries), options);
  for (const std::string& problem : result.problems) std::cerr << "rejected: " << problem << "\n";
  if (!result.problems.empty()) return 1;
  std::ofstream out(output, std::ios::binary);
  out << result.text;
  if (!out) {
    std::cerr << "sorvelin_atom_table_generator: cannot write '" << output << "'\n";
    return 1;
  }
  std::cerr << result.records << " records written to " << output << "\n";
  return 0;
}
