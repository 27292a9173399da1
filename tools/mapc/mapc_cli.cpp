#include "mapc_cli.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include "map_compiler.h"
#include "map_dump.h"
#include "source_parser.h"

namespace mapc {

namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxSourceBytes = 64u << 20;
constexpr size_t kMaxMapBytes = 256u << 20;
constexpr size_t kMaxCompanionBytes = 64u << 20;

constexpr const char* kUsage =
    "usage: mapc [options] SOURCE...       compile map sources\n"
    "       mapc --check SOURCE...         check map sources, write nothing\n"
    "       mapc --dump MAP.map [-o FILE]  print a compiled map as a map source\n"
    "options:\n"
    "  -o DIR     write NAME.map, NAME_TileSet.xml and NAME_Enemys.txt into DIR (default: .)\n"
    "             (with --dump: the file to print into, default: standard output)\n"
    "  --quiet    do not print warnings\n"
    "  --help     this text\n"
    "  --version  the program's version\n";

struct Options {
  enum class Mode { Compile, Check, Dump } mode = Mode::Compile;
  std::string output;
  bool quiet = false;
  std::vector<std::string> inputs;
};

// Writes through a temporary file so a reader never sees half a file.
bool WriteHostFile(const fs::path& path, const std::string& bytes, std::ostream& err) {
  fs::path temp = path;
  temp += ".tmp";
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
      err << "mapc: cannot write " << temp.string() << "\n";
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec) {
    err << "mapc: cannot write " << path.string() << ": " << ec.message() << "\n";
    return false;
  }
  return true;
}

bool Report(const std::string& file, const std::vector<Diagnostic>& diags, bool quiet, std::ostream& err) {
  bool ok = true;
  for (const Diagnostic& d : diags) {
    ok = ok && !d.error;
    if (d.error || !quiet) err << FormatDiagnostic(file, d) << "\n";
  }
  return ok;
}

bool CompileFile(const std::string& path, const Options& options, std::ostream& err) {
  std::string text;
  if (!ReadHostFile(path, kMaxSourceBytes, text)) {
    err << path << ": error: cannot read the file\n";
    return false;
  }
  CompiledMap map;
  std::vector<Diagnostic> diags;
  bool ok = CompileText(text, path, map, diags);
  ok = Report(path, diags, options.quiet, err) && ok;
  if (!ok || options.mode == Options::Mode::Check) return ok;
  fs::path dir = options.output.empty() ? fs::path(".") : fs::path(options.output);
  std::error_code ec;
  fs::create_directories(dir, ec);
  return WriteHostFile(dir / (map.name + ".map"), map.mapBytes, err) &&
         WriteHostFile(dir / (map.name + "_TileSet.xml"), map.tileSetXml, err) &&
         WriteHostFile(dir / (map.name + "_Enemys.txt"), map.enemyList, err);
}

std::optional<std::string> Companion(const fs::path& mapPath, const std::string& suffix) {
  fs::path path = mapPath.parent_path() / (mapPath.stem().string() + suffix);
  std::string bytes;
  if (!ReadHostFile(path.string(), kMaxCompanionBytes, bytes)) return std::nullopt;
  return bytes;
}

bool DumpFile(const std::string& path, const Options& options, std::ostream& out, std::ostream& err) {
  DumpInput input;
  fs::path mapPath(path);
  input.name = mapPath.stem().string();
  if (!ReadHostFile(path, kMaxMapBytes, input.mapBytes)) {
    err << path << ": error: cannot read the file\n";
    return false;
  }
  input.tileSetXml = Companion(mapPath, "_TileSet.xml");
  input.enemyList = Companion(mapPath, "_Enemys.txt");
  std::string source;
  std::string error;
  if (!DumpMap(input, source, error)) {
    err << path << ": error: " << error << "\n";
    return false;
  }
  if (options.output.empty()) {
    out << source;
    return static_cast<bool>(out);
  }
  return WriteHostFile(options.output, source, err);
}

// Fills options; returns 0 to go on, or an exit status to stop with.
int ParseArguments(const std::vector<std::string>& args, Options& options, std::ostream& out, std::ostream& err) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      out << kUsage;
      return -1;
    }
    if (a == "--version") {
      out << "mapc 1.0\n";
      return -1;
    }
    if (a == "--check") options.mode = Options::Mode::Check;
    else if (a == "--dump") options.mode = Options::Mode::Dump;
    else if (a == "--quiet") options.quiet = true;
    else if (a == "-o" && i + 1 < args.size()) options.output = args[++i];
    else if (!a.empty() && a[0] == '-') {
      err << "mapc: unknown option " << a << "\n" << kUsage;
      return 2;
    } else {
      options.inputs.push_back(a);
    }
  }
  if (options.inputs.empty() || (options.mode == Options::Mode::Dump && options.inputs.size() != 1)) {
    err << kUsage;
    return 2;
  }
  return 0;
}

}  // namespace

bool ReadHostFile(const std::string& path, size_t maxBytes, std::string& bytes) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  uintmax_t size = fs::file_size(path, ec);
  if (ec || size > maxBytes) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(static_cast<size_t>(size), '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<size_t>(file.gcount()));
  return true;
}

int RunMapc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  int status = ParseArguments(args, options, out, err);
  if (status != 0) return status < 0 ? 0 : status;
  if (options.mode == Options::Mode::Dump) return DumpFile(options.inputs[0], options, out, err) ? 0 : 1;
  bool ok = true;
  for (const std::string& input : options.inputs) ok = CompileFile(input, options, err) && ok;
  return ok ? 0 : 1;
}

}  // namespace mapc
