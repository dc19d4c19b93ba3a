#include "platform/module_file.h"

#include <elf.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <type_traits>

#include "platform/temp_folder.h"

namespace quillon::platform {
namespace {

#ifdef QUILLON_SOUND_MODULE
// The ELF headers of this build's word size.
using Header = std::conditional_t<sizeof(void*) == 8, Elf64_Ehdr, Elf32_Ehdr>;
using ProgramHeader = std::conditional_t<sizeof(void*) == 8, Elf64_Phdr, Elf32_Phdr>;

class ModuleFileTest : public TempFolderTest {
 protected:
  // The sound module as built, to damage in copies.
  static std::string Module() {
    std::ifstream in(QUILLON_SOUND_MODULE, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // The module with its ELF header changed by `change`.
  template <typename Change>
  static std::string Patched(Change change) {
    std::string module = Module();
    Header header;
    std::memcpy(&header, module.data(), sizeof header);
    change(header);
    std::memcpy(module.data(), &header, sizeof header);
    return module;
  }

  // Where the last segment that the loader maps from the module ends.
  static std::size_t LoadedEnd(const std::string& module) {
    Header header;
    std::memcpy(&header, module.data(), sizeof header);
    std::size_t end = 0;
    for (std::size_t i = 0; i < header.e_phnum; ++i) {
      ProgramHeader segment;
      std::memcpy(&segment, module.data() + header.e_phoff + i * sizeof segment, sizeof segment);
      if (segment.p_type != PT_LOAD) continue;
      end = std::max<std::size_t>(end, segment.p_offset + segment.p_filesz);
    }
    return end;
  }

  std::optional<std::string> Refusal(const std::string& name, const std::string& bytes) {
    return ModuleFileRefusal(Write(name, bytes));
  }
};

TEST_F(ModuleFileTest, TheGamesOwnModuleIsAccepted) {
  EXPECT_EQ(ModuleFileRefusal(QUILLON_SOUND_MODULE), std::nullopt);
}

TEST_F(ModuleFileTest, AFileThatIsNoModuleOfThisBuildIsRefused) {
  EXPECT_EQ(ModuleFileRefusal(folder_ / "missing.so"), "No such file or directory");
  EXPECT_EQ(ModuleFileRefusal(folder_), "it is no regular file");
  EXPECT_EQ(Refusal("empty.so", ""), "it is empty");
  EXPECT_EQ(Refusal("text.so", "#!/bin/sh\necho a library\n"), "it is no ELF file");
  EXPECT_EQ(Refusal("magic-only.so", "\177ELF"), "it is cut short");

  const std::string module = Module();
  std::string other = module;
  other[EI_CLASS] = ELFCLASS32;
  EXPECT_EQ(Refusal("32-bit.so", other), "it is built for another word size");
  other = module;
  other[EI_DATA] = ELFDATA2MSB;
  EXPECT_EQ(Refusal("big-endian.so", other), "it is built for another byte order");
  const std::string otherMachine = Patched([](Header& header) {
    header.e_machine = header.e_machine == EM_X86_64 ? EM_AARCH64 : EM_X86_64;
  });
  EXPECT_EQ(Refusal("other-machine.so", otherMachine), "it is built for another machine");
  const std::string program = Patched([](Header& header) { header.e_type = ET_EXEC; });
  EXPECT_EQ(Refusal("program.so", program), "it is no shared library");
}

// A copy cut short by a full disk or a failed download: the loader would map pages that are not
// in the file, and the game would die of SIGBUS on touching them.
TEST_F(ModuleFileTest, AModuleCutShortIsRefused) {
  const std::string module = Module();
  EXPECT_EQ(Refusal("half.so", module.substr(0, module.size() / 2)), "it is cut short");
  // One byte short of its last loaded segment, without the section headers that would give it
  // away.
  const std::string unsectioned = Patched([](Header& header) { header.e_shoff = 0; });
  EXPECT_EQ(Refusal("segment-cut.so", unsectioned.substr(0, LoadedEnd(module) - 1)),
            "it is cut short");
  // Whole but for the last section header, which comes after every loaded segment.
  EXPECT_EQ(Refusal("last-bytes.so", module.substr(0, module.size() - 1)), "it is cut short");
  // Program headers said to lie past the end.
  const std::string headersBeyond =
      Patched([&](Header& header) { header.e_phoff = module.size(); });
  EXPECT_EQ(Refusal("headers-beyond.so", headersBeyond), "it is cut short");
}

TEST_F(ModuleFileTest, AFifoIsRefusedAtOnce) {
  const std::filesystem::path fifo = folder_ / "libquillon_sound.so";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ModuleFileRefusal(fifo), "it is no regular file");  // a check that waited hangs here
}
#endif

}  // namespace
}  // namespace quillon::platform
