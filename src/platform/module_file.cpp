#include "platform/module_file.h"

#include <elf.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

#include "platform/regular_file.h"

namespace quillon::platform {

namespace {

// The ELF word size, byte order and machine of this build: a module must have the same.
constexpr bool k64Bit = sizeof(void*) == 8;
using Header = std::conditional_t<k64Bit, Elf64_Ehdr, Elf32_Ehdr>;
using ProgramHeader = std::conditional_t<k64Bit, Elf64_Phdr, Elf32_Phdr>;
using SectionHeader = std::conditional_t<k64Bit, Elf64_Shdr, Elf32_Shdr>;
constexpr unsigned char kClass = k64Bit ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char kByteOrder =
    std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;
#if defined(__x86_64__)
constexpr int kMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr int kMachine = EM_AARCH64;
#elif defined(__i386__)
constexpr int kMachine = EM_386;
#elif defined(__arm__)
constexpr int kMachine = EM_ARM;
#elif defined(__riscv)
constexpr int kMachine = EM_RISCV;
#elif defined(__powerpc64__)
constexpr int kMachine = EM_PPC64;
#elif defined(__s390x__)
constexpr int kMachine = EM_S390;
#else
#error "Name this machine's ELF e_machine here, as the dynamic loader checks it"
#endif

constexpr const char* kCutShort = "it is cut short";

// Reads a header of the file's own byte order, which the check has made this build's.
template <typename Record>
bool ReadRecord(const RegularFile& file, std::uint64_t offset, Record& record) {
  static_assert(std::is_trivially_copyable_v<Record>);
  return file.ReadAt(offset, {reinterpret_cast<unsigned char*>(&record), sizeof record});
}

// Whether `bytes` bytes from `offset` lie in the file, without overflowing on a damaged header.
bool InFile(std::uint64_t offset, std::uint64_t bytes, std::uint64_t fileSize) {
  return offset <= fileSize && bytes <= fileSize - offset;
}

std::optional<std::string> IdentityRefusal(const unsigned char (&identity)[EI_NIDENT]) {
  if (std::memcmp(identity, ELFMAG, SELFMAG) != 0) return "it is no ELF file";
  if (identity[EI_CLASS] != kClass) return "it is built for another word size";
  if (identity[EI_DATA] != kByteOrder) return "it is built for another byte order";
  return std::nullopt;
}

std::optional<std::string> SegmentsRefusal(const RegularFile& file, const Header& header) {
  if (header.e_phentsize != sizeof(ProgramHeader)) return "its program headers are damaged";
  std::vector<ProgramHeader> segments(header.e_phnum);
  const std::span<unsigned char> table(reinterpret_cast<unsigned char*>(segments.data()),
                                       segments.size() * sizeof(ProgramHeader));
  if (!file.ReadAt(header.e_phoff, table)) return kCutShort;  // the table ends outside the file
  for (const ProgramHeader& segment : segments) {
    // The loader maps every loaded segment from the file: a page beyond its end is SIGBUS.
    if (segment.p_type == PT_LOAD && !InFile(segment.p_offset, segment.p_filesz, file.Size())) {
      return kCutShort;
    }
  }
  return std::nullopt;
}

std::optional<std::string> SectionsRefusal(const RegularFile& file, const Header& header) {
  if (header.e_shoff == 0) return std::nullopt;  // a library may come without section headers
  if (header.e_shentsize != sizeof(SectionHeader)) return "its section headers are damaged";
  if (!InFile(header.e_shoff, header.e_shnum * sizeof(SectionHeader), file.Size())) {
    return kCutShort;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ModuleFileRefusal(const std::filesystem::path& file) {
  const RegularFile module(file);
  if (!module.IsOpen()) return module.Refusal();
  if (module.Size() == 0) return "it is empty";

  Header header{};
  if (!ReadRecord(module, 0, header.e_ident)) {
    return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 ? kCutShort : "it is no ELF file";
  }
  if (std::optional<std::string> refusal = IdentityRefusal(header.e_ident)) return refusal;
  if (!ReadRecord(module, 0, header)) return kCutShort;
  if (header.e_machine != kMachine) return "it is built for another machine";
  if (header.e_type != ET_DYN) return "it is no shared library";
  if (std::optional<std::string> refusal = SegmentsRefusal(module, header)) return refusal;
  return SectionsRefusal(module, header);
}

}  // namespace quillon::platform
