// The version resource of quillet.exe, read back the way Windows shows it in
// the file's properties. The program's path is the first argument.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string programPath;

class VersionResource : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(programPath.empty()) << "usage: version_resource_test PATH-OF-QUILLET.EXE";
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(programPath.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource in " << programPath;
    data.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(programPath.c_str(), 0, size, data.data()));
  }

  // The value of a string in the US English, Unicode block; empty when absent.
  std::string Text(const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = "\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueA(data.data(), path.c_str(), &value, &length) || length == 0) return {};
    return std::string(static_cast<const char*>(value));
  }

  std::vector<char> data;
};

TEST_F(VersionResource, NumericVersionsAre1_2_0_100) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", &value, &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(info->dwFileVersionMS, 0x00010002u);
  EXPECT_EQ(info->dwFileVersionLS, 0x00000064u);
  EXPECT_EQ(info->dwProductVersionMS, 0x00010002u);
  EXPECT_EQ(info->dwProductVersionLS, 0x00000064u);
  EXPECT_EQ(info->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionResource, StringsNameTheProgram) {
  const struct {
    const char* Name;
    const char* Value;
  } rows[] = {
      {"FileDescription", "Read a line of Input from the Windows Command-Line"},
      {"FileVersion", "1.2.0.100"},
      {"ProductVersion", "1.2.0.100"},
      {"LegalCopyright", QUILLET_NOTICE},
      {"OriginalFilename", "quillet.exe"},
      {"ProductName", "Quillet"},
      {"InternalName", "quillet"},
  };
  for (const auto& row : rows) EXPECT_EQ(Text(row.Name), row.Value) << row.Name;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc > 1) programPath = argv[1];
  return RUN_ALL_TESTS();
}
