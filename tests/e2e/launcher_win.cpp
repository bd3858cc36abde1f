// Runs programs in the console it was given, for the end-to-end tests under
// wine.
//
//   launcher_win.exe [--utf8] DIR COUNT
//
// wine draws a console on the Unix terminal only for a process whose standard
// output or error is that terminal, and the tests need the program's standard
// streams in files. So the test starts this launcher on the terminal, and the
// launcher starts each run k = 1..COUNT in turn, in the same console:
//
//   DIR\<k>.run  input: lines "key=value"
//                  program=  the program file
//                  stdout=closed-pipe  (optional) a pipe nobody reads
//                  stdin=    (optional) a file as standard input, in place of
//                            the console
//                  cmdline=  last: the rest of the file is the exact command
//                            line the program gets
//   DIR\<k>.out  its standard output
//   DIR\<k>.err  its standard error
//   DIR\<k>.end  written once it has ended: "exit=<code in hex>", "echo=<0|1>"
//                (the console still echoes typing) and "column=<n>" (the
//                cursor's column), one per line
//
// --utf8 switches the console's input and output code pages to 65001 first.
// The launcher itself writes nothing to the console and survives Ctrl+C, so
// the terminal shows only what the runs show.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

BOOL WINAPI IgnoreInterrupt(DWORD) { return TRUE; }

bool ReadWholeFile(const std::string& path, std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  text.clear();
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  (void)CloseHandle(file);  // read-only: nothing to lose
  return true;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  return CloseHandle(file) && ok;
}

HANDLE CreateInheritable(const std::string& path) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     CREATE_ALWAYS, 0, nullptr);
}

// The console's state after a run, as the test checks it.
std::string ConsoleState() {
  std::string state;
  HANDLE input = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD mode = 0;
  const bool echo = input != INVALID_HANDLE_VALUE && GetConsoleMode(input, &mode) &&
                    (mode & ENABLE_ECHO_INPUT) != 0;
  state += echo ? "echo=1\r\n" : "echo=0\r\n";
  if (input != INVALID_HANDLE_VALUE) (void)CloseHandle(input);  // only read from
  HANDLE output = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (output != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(output, &info))
    state += "column=" + std::to_string(info.dwCursorPosition.X) + "\r\n";
  if (output != INVALID_HANDLE_VALUE) (void)CloseHandle(output);  // only read from
  return state;
}

struct RunPlan {
  std::string Program;
  bool ClosedPipe = false;
  std::string StdinFile;
  std::string CommandLine;
};

bool ParseRun(const std::string& text, RunPlan& plan) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (line.rfind("cmdline=", 0) == 0) {
      plan.CommandLine = text.substr(at + 8);
      return !plan.Program.empty();
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("program=", 0) == 0)
      plan.Program = line.substr(8);
    else if (line == "stdout=closed-pipe")
      plan.ClosedPipe = true;
    else if (line.rfind("stdin=", 0) == 0)
      plan.StdinFile = line.substr(6);
    else
      return false;
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return false;
}

// The write end of a pipe whose read end is already closed.
HANDLE ClosedPipe() {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return INVALID_HANDLE_VALUE;
  (void)CloseHandle(read);  // that is the point
  return write;
}

// Runs one program; false when it could not be started.
bool Run(const std::string& base) {
  std::string text;
  RunPlan plan;
  if (!ReadWholeFile(base + ".run", text) || !ParseRun(text, plan)) return false;

  HANDLE out = plan.ClosedPipe ? ClosedPipe() : CreateInheritable(base + ".out");
  HANDLE err = CreateInheritable(base + ".err");
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  if (!plan.StdinFile.empty()) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    in = CreateFileA(plan.StdinFile.c_str(), GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING,
                     0, nullptr);
  }
  if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE || in == INVALID_HANDLE_VALUE)
    return false;

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(plan.Program.c_str(), plan.CommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &startup, &process)) {
    // Told in the run's standard error file, for the test's failure message.
    char text[64];
    const int length = std::snprintf(text, sizeof text, "launcher: cannot start: error %lu\r\n",
                                     static_cast<unsigned long>(GetLastError()));
    DWORD written = 0;
    (void)WriteFile(err, text, static_cast<DWORD>(length), &written, nullptr);
    return false;
  }
  (void)WaitForSingleObject(process.hProcess, INFINITE);  // the test bounds the time
  DWORD code = 0;
  if (!GetExitCodeProcess(process.hProcess, &code)) return false;
  (void)CloseHandle(process.hThread);  // the launcher ends soon; nothing leaks for long
  (void)CloseHandle(process.hProcess);
  (void)CloseHandle(out);
  (void)CloseHandle(err);

  char ending[32];
  (void)std::snprintf(ending, sizeof ending, "exit=0x%08lX\r\n",
                      static_cast<unsigned long>(code));  // fits: 8 hex digits
  return WriteWholeFile(base + ".end", ending + ConsoleState());
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  if (argc > 1 && std::strcmp(argv[1], "--utf8") == 0) {
    if (!SetConsoleCP(CP_UTF8) || !SetConsoleOutputCP(CP_UTF8)) return 3;
    ++first;
  }
  if (argc - first != 2) return 2;
  const std::string dir = argv[first];
  const int count = std::atoi(argv[first + 1]);
  if (!SetConsoleCtrlHandler(IgnoreInterrupt, TRUE)) return 3;
  for (int k = 1; k <= count; ++k)
    if (!Run(dir + "\\" + std::to_string(k))) return 1;
  return 0;
}
