// After a hidden read no copy of the typed line is left in memory: neither in
// the blocks the program gave back to the heap nor in its live buffers.
//
// The test binary's operator new/delete put a header in front of each block
// and fill it when it is handed out, so that while a run is watched, freed
// blocks are kept aside (not reused) and can be searched afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <ostream>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "program_run.h"

namespace {

struct BlockHeader {
  std::size_t Size;
  std::size_t Padding;  // keeps the block 16-byte aligned
};

constexpr std::size_t kMaxKept = 1 << 16;
bool keepFreedBlocks = false;
BlockHeader* keptBlocks[kMaxKept];
std::size_t keptCount = 0;

void ReleaseKeptBlocks() {
  for (std::size_t i = 0; i < keptCount; ++i) std::free(keptBlocks[i]);
  keptCount = 0;
}

bool Contains(const char* data, std::size_t size, std::string_view part) {
  return std::string_view(data, size).find(part) != std::string_view::npos;
}

}  // namespace

void* operator new(std::size_t size) {
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
  if (header == nullptr) throw std::bad_alloc();
  header->Size = size;
  // A fresh block must not show what an earlier owner of the memory left
  // there (the test's own copies of the line, say): whatever of the line a
  // block holds when it is freed was written by its last owner.
  std::memset(header + 1, 0xA5, size);
  return header + 1;
}

namespace {
void FreeBlock(void* block) {
  if (block == nullptr) return;
  BlockHeader* header = static_cast<BlockHeader*>(block) - 1;
  if (keepFreedBlocks && keptCount < kMaxKept) {
    keptBlocks[keptCount++] = header;
    return;
  }
  std::free(header);
}
}  // namespace

void operator delete(void* block) noexcept { FreeBlock(block); }
void operator delete(void* block, std::size_t) noexcept { FreeBlock(block); }

namespace {

// A pattern that no other text of a run holds; any five bytes of it in a
// freed block are a leftover of the line.
constexpr std::string_view kPattern = "k9$Zq";

std::string Secret(std::size_t length) {
  std::string secret;
  while (secret.size() < length) secret += kPattern;
  secret.resize(length);
  return secret;
}

struct SecretCase {
  const char* Why;
  std::size_t Length;
  std::size_t ChunkSize;  // the typed line arrives in pieces of this size
  friend void PrintTo(const SecretCase& c, std::ostream* os) { *os << c.Why; }
};

class SecretMemoryTest : public testing::TestWithParam<SecretCase> {
 protected:
  void TearDown() override {
    keepFreedBlocks = false;
    ReleaseKeptBlocks();
  }
};

TEST_P(SecretMemoryTest, NoCopyOfTheLineIsLeft) {
  const std::string typed = Secret(GetParam().Length) + "\r\n";
  ProgramRun run = RunProgram({"-p", "Password: ", "-q"}, [&](fake::State& m) {
    for (std::size_t at = 0; at < typed.size(); at += GetParam().ChunkSize)
      m.ConsoleInput.push_back(typed.substr(at, GetParam().ChunkSize));
    // Captured output is the destination, not the program's memory: give it
    // room up front so that growing it frees no block holding the line.
    m.StdOut.reserve(typed.size() + 64);
    m.StdBoth.reserve(typed.size() + 64);
    keepFreedBlocks = true;
  });
  keepFreedBlocks = false;

  ASSERT_EQ(run.Code, 0);
  ASSERT_EQ(run.Out, typed);
  ASSERT_GT(keptCount, 0u);
  for (std::size_t i = 0; i < keptCount; ++i)
    EXPECT_FALSE(Contains(reinterpret_cast<const char*>(keptBlocks[i] + 1), keptBlocks[i]->Size,
                          kPattern))
        << "freed block " << i << " of " << keptBlocks[i]->Size << " bytes";
  EXPECT_FALSE(Contains(ConsoleInBuffer, sizeof ConsoleInBuffer, kPattern));
  EXPECT_FALSE(Contains(InputLine.data(), InputLine.capacity(), kPattern));
}

INSTANTIATE_TEST_SUITE_P(Rows, SecretMemoryTest,
                         testing::Values(SecretCase{"short line", 8, 64},
                                         SecretCase{"line grown over many reads", 300, 7},
                                         SecretCase{"line over buffer refills", 10000, 5000}),
                         [](const auto& info) { return std::to_string(info.index); });

}  // namespace
