#include "app/help.h"

#include <span>
#include <string>

#include "core/identity.h"
#include "core/state.h"
#include "core/textout.h"

namespace {

// Lines that show the program's name are written as one space, the name, and
// the text given here, so a renamed copy of the program names itself.
constexpr std::string_view kSyntaxLines[] = {
    " [options]",
    " [-p [\"some message\"]] [-q] [-b|-v]",
    " [-h|-?|--h2|--??] [-v]",
    " [-i|--Info|--Version-Only]",
};

constexpr std::string_view kOptionLines[] = {
    " -p, --prompt .............. Provide a message prompt.",
    " -q, --quiet, --hide ....... Hide console input (for passwords, etc).",
    " -b, --banner .............. Display banner information on each program execution.",
    " -v, --verbose, --build .... Display extended build information, plus application "
    "exit/return codes.",
    " -h, --help, -? ............ Display this help message.",
    "     --h2, --??, --help2 ... Display extended help information, plus exit/return codes.",
    " -i, --info ................ Display banner and build information, then exit.",
    "     --version-only ........ Display build information without banner, then exit.",
};

constexpr std::string_view kExtendedOptionLines[] = {
    "     --audible-error ....... Enable a beep on syntax error.",
    "     --error-delay ......... Enable a ~7 second delay on syntax error.",
    "     --debug-mode .......... Enable debug mode, which includes enabling Audible Error and "
    "Error Delay.",
};

constexpr std::string_view kExampleLines[] = {
    " -p \"What is your name? \"",
    " -p \"Enter the password: \" -q",
    " -p \"Enter the code: \" -v",
    " -p \"\"",
    " -i",
    " -h",
};

// Every general note but the first, which names the program.
constexpr std::string_view kGeneralNoteLines[] = {
    " * Parameters surrounded by <> are mandatory; Those surrounded by [] are optional.",
    " * Parameters are case-insensitive, but may be shown in uppercase for clarity.",
    " * Single-character parameters (e.g. -h) can be prefaced by \"-\" or \"/\".",
    " * Multi-character parameters (e.g. --help) should be prefaced by \"--\".",
    " * All parameters need to be separated from each other by at least one space.",
    " * The -H, --?? --Version-Only and --Info parameters supersede all other options -- in "
    "that order.",
    " * The -V parameter causes application build mode info to be shown whenever the banner is "
    "shown.",
    " * Combining -H/-? and -V will display extended help info plus application exit/return "
    "codes.",
    " * The --?? parameter behaves like the -H/-? and -V parameters combined.",
    " * The -I parameter will ONLY show the banner, with build info, and quit.  It will process "
    "no other data.",
    " * The --Version-Only parameter behaves like the -I parameter, but without showing the "
    "banner.",
    " * The application banner is only displayed when Help Syntax is displayed, or when -B is "
    "used.",
};

// The length named here is the size of the console read buffer; longer lines
// are still read whole, through refills of that buffer.
constexpr std::string_view kAppNoteLines[] = {
    " * The maximum allowed input length is 4096 characters.",
    " * The -P parameter must be provided, although its value can be blank.",
    " * Entries for -P paramter which contain spaces, should be surrounded by quotation marks.",
};

constexpr std::string_view kExitCodeLines[] = {
    " * Exit/Return Codes will be generated for the following conditions:",
    "      0 - Command Completed Successfully",
    "     64 - Missing Necessary/Essential Parameters",
    "     65 - Invalid parameters were found",
    "     67 - Parameters are missing mandatory values",
    "    255 - Syntax Help Requested",
};

void WriteLines(std::span<const std::string_view> lines) {
  for (const std::string_view line : lines) WriteLine(CoreOutput, line);
}

void WriteNamed(std::string_view text) {
  WriteLine(CoreOutput, " " + AppVersionInfo.BaseName + std::string(text));
}

}  // namespace

void WriteSectionHeader(std::string_view heading) {
  const int length = static_cast<int>(heading.size());
  WriteUnderline(length);
  WriteLine(CoreOutput, heading);
  WriteUnderline(length);
}

void ShowSyntax(bool brief) {
  const bool extended = !brief && VerboseParam.Found;
  const std::string& name = AppVersionInfo.BaseName;

  WriteSectionHeader("CMD SYNTAX:");
  WriteNamed(kSyntaxLines[0]);
  WriteLine(CoreOutput);
  WriteNamed(kSyntaxLines[1]);
  WriteLine(CoreOutput);
  WriteNamed(kSyntaxLines[2]);
  WriteNamed(kSyntaxLines[3]);
  WriteLine(CoreOutput);
  if (brief) {
    WriteLine(CoreOutput, "For more details, please type: " + name + " -?  OR  " + name + " --??");
    return;
  }

  WriteSectionHeader("OPTION DEFINITIONS:");
  WriteLines(kOptionLines);
  if (extended) WriteLines(kExtendedOptionLines);
  WriteLine(CoreOutput);

  WriteSectionHeader("SYNTAX EXAMPLES:");
  for (const std::string_view example : kExampleLines) WriteNamed(example);
  WriteLine(CoreOutput);
  if (!extended) return;

  WriteSectionHeader("GENERAL USAGE NOTES:");
  WriteLine(CoreOutput, " * Entering " + name + " with no parameters will display this help message.");
  WriteLines(kGeneralNoteLines);
  WriteLine(CoreOutput);

  WriteSectionHeader("APP SPECIFIC USAGE NOTES:");
  WriteLines(kAppNoteLines);
  WriteLine(CoreOutput);

  WriteSectionHeader("EXIT/RETURN CODES:");
  WriteLines(kExitCodeLines);
}
