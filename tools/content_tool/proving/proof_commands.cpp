// shardfall-content generate and prove: generated level sets with their proofs, and the proof of any level or set.
#include "tools/content_tool/proving/proof_commands.h"

#include <cstdint>
#include <iostream>
#include <map>

#include "content/level_file.h"
#include "content/level_set_file.h"
#include "content/numbers.h"
#include "proof/level_proof.h"

namespace {

namespace fs = std::filesystem;

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  return fs::read_symlink("/proc/self/exe", error).parent_path();
}

// --root DIR, else the data beside the tool (a build) or where the install put it.
bool LocateData(const std::string& root, DataFolders& folders, std::string& error) {
  bool installed = false;
  const fs::path shipped = root.empty() ? FindShippedFolder(ExecutableFolder(), SHARDFALL_DATA_FROM_PROGRAM, installed)
                                        : fs::path(root);
  std::error_code failure;
  if (shipped.empty() || !fs::is_directory(shipped / "Tls", failure)) {
    error = (root.empty() ? "no data folder beside the tool" : root + ": no Tls folder") +
            std::string(" (--root DIR names a data folder)");
    return false;
  }
  folders = ChooseDataFolders(shipped, installed);
  return true;
}

// "--name VALUE" pairs, then the operands.
bool SplitOptions(const std::vector<std::string>& args, std::map<std::string, std::string>& options,
                  std::vector<std::string>& operands, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) != 0) {
      operands.push_back(args[i]);
    } else if (i + 1 < args.size()) {
      options[args[i]] = args[i + 1];
      ++i;
    } else {
      error = args[i] + " needs a value";
      return false;
    }
  }
  return true;
}

bool OnlyKnown(const std::map<std::string, std::string>& options, std::initializer_list<const char*> known,
               std::string& error) {
  for (const auto& [name, value] : options) {
    bool found = false;
    for (const char* k : known) found = found || name == k;
    if (!found) {
      error = "unknown option " + name;
      return false;
    }
  }
  return true;
}

template <typename Number>
bool NumberOption(const std::map<std::string, std::string>& options, const std::string& name, Number low, Number high,
                  Number& out, std::string& error) {
  const auto found = options.find(name);
  if (found == options.end()) {
    error = name + " is missing";
    return false;
  }
  if (!ParseWholeNumber(found->second, out) || out < low || out > high) {
    error = name + " " + found->second + ": not a whole number from " + std::to_string(low) + " to " +
            std::to_string(high);
    return false;
  }
  return true;
}

std::string Verdict(const LevelProof& proof) {
  return proof.passed() ? "finished, " + proof.reason : "not finished: " + proof.reason;
}

std::string Stem(std::uint64_t seed, int difficulty) {
  return "gen-s" + std::to_string(seed) + "-d" + std::to_string(difficulty);
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

int Refuse(const std::string& problem) {
  std::cerr << "shardfall-content: " << problem << "\nTry 'shardfall-content --help'.\n";
  return 2;
}

int Fail(const std::string& problem) {
  std::cerr << "shardfall-content: " << problem << "\n";
  return 1;
}

}  // namespace

int GenerateCommand(const std::vector<std::string>& args) {
  std::map<std::string, std::string> options;
  std::vector<std::string> operands;
  std::string error;
  std::uint64_t seed = 0;
  int count = 0, difficulty = 0;
  if (!SplitOptions(args, options, operands, error) ||
      !OnlyKnown(options, {"--seed", "--count", "--difficulty", "--tileset", "--root"}, error) ||
      !NumberOption<std::uint64_t>(options, "--seed", 0, UINT64_MAX, seed, error) ||
      !NumberOption(options, "--count", 1, 999, count, error) ||
      !NumberOption(options, "--difficulty", EasiestDifficulty, HardestDifficulty, difficulty, error))
    return Refuse(error);
  if (operands.size() != 1) return Refuse("generate writes into one folder: DIR");
  DataFolders folders;
  if (!LocateData(options["--root"], folders, error)) return Fail(error);
  const fs::path folder = operands[0];
  const std::string stem = Stem(seed, difficulty);
  LevelSet set{"Generated " + std::to_string(difficulty) + " from " + std::to_string(seed), {}, 0};
  std::uint64_t next = seed;
  for (int n = 1; n <= count; ++n) {
    const ProvenLevel proven = GenerateProvenLevel(next, difficulty, folders, options["--tileset"]);
    if (!proven.error.empty()) return Fail(proven.error);
    const std::string file = stem + "-" + TwoDigits(n) + ".sfl";
    if (!MakeFolderFor(folder / file, error) || !WriteLevelFile(folder / file, proven.level, error)) return Fail(error);
    set.levelFiles.push_back(file);
    std::cout << file << ": seed " << proven.seed << ", cleared in " << ProofTimeText(proven.proofMs) << ", "
              << proven.motif << ", " << proven.tilesetName << ", " << proven.level.backgroundName
              << (proven.songName.empty() ? "" : ", " + proven.songName) << "\n";
    next = proven.seed + 1;
  }
  if (!WriteLevelSetFile(folder / (stem + ".sfs"), set, error)) return Fail(error);
  return 0;
}

int ProveCommand(const std::vector<std::string>& args) {
  std::map<std::string, std::string> options;
  std::vector<std::string> operands;
  std::string error;
  if (!SplitOptions(args, options, operands, error) || !OnlyKnown(options, {"--root"}, error)) return Refuse(error);
  if (operands.size() != 1) return Refuse("prove takes one level (.sfl) or level set (.sfs)");
  DataFolders folders;
  if (!LocateData(options["--root"], folders, error)) return Fail(error);
  const fs::path file = operands[0];
  std::vector<fs::path> levels;
  if (file.extension() == ".sfs") {
    LevelSet set;
    if (!ReadLevelSetFile(file, set, error)) return Fail(error);
    for (const std::string& name : set.levelFiles) levels.push_back(SetLevelPath(folders, fs::absolute(file), name));
  } else {
    levels.push_back(file);
  }
  bool allFinished = true;
  for (const fs::path& path : levels) {
    Level level;
    LevelProof proof;
    if (!ReadLevelFile(path, level, error)) proof.reason = error;
    else proof = ProveLevel(level, folders);
    std::cout << path.filename().string() << ": " << Verdict(proof) << std::endl;
    allFinished = allFinished && proof.passed();
    if (proof.verdict == ProofVerdict::Stopped) break;
  }
  return allFinished ? 0 : 1;
}
