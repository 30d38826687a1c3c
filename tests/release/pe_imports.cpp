#include "release/pe_imports.h"

#include <fstream>
#include <iterator>

namespace release_tests {

namespace {

class Image {
 public:
  explicit Image(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

  bool Has(size_t at, size_t size) const { return at <= m_bytes.size() && size <= m_bytes.size() - at; }
  uint16_t U16(size_t at) const { return Has(at, 2) ? uint16_t(m_bytes[at] | m_bytes[at + 1] << 8) : 0; }
  uint32_t U32(size_t at) const { return Has(at, 4) ? uint32_t(U16(at) | uint32_t(U16(at + 2)) << 16) : 0; }
  // A zero-terminated text at `at`; empty when it runs off the file.
  std::string Text(size_t at) const {
    std::string text;
    for (size_t i = at; i < m_bytes.size(); ++i) {
      if (m_bytes[i] == 0) return text;
      text += static_cast<char>(m_bytes[i]);
    }
    return std::string();
  }

  struct Section {
    uint32_t address, size, offset;
  };
  std::vector<Section> sections;

  // The file offset of a relative virtual address; 0 when no section holds it.
  size_t Offset(uint32_t rva) const {
    for (const Section& s : sections)
      if (rva >= s.address && rva - s.address < s.size) return s.offset + (rva - s.address);
    return 0;
  }

 private:
  std::vector<uint8_t> m_bytes;
};

}  // namespace

bool ReadPeProgram(const std::string& path, PeProgram& program, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open " + path;
    return false;
  }
  Image image(std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {}));

  const uint32_t pe = image.U32(0x3C);
  if (image.U16(0) != 0x5A4D || image.U32(pe) != 0x00004550) {
    error = path + " is no PE program";
    return false;
  }
  const size_t coff = pe + 4;
  program.machine = image.U16(coff);
  const uint16_t sectionCount = image.U16(coff + 2);
  const uint16_t optionalSize = image.U16(coff + 16);
  const size_t optional = coff + 20;
  program.magic = image.U16(optional);
  if (program.magic != 0x10B) {
    error = path + " is no 32-bit (PE32) program";
    return false;
  }
  program.osMajor = image.U16(optional + 40);
  program.osMinor = image.U16(optional + 42);
  program.subsystemMajor = image.U16(optional + 48);
  program.subsystemMinor = image.U16(optional + 50);
  program.subsystem = image.U16(optional + 68);
  const uint32_t importTable = image.U32(optional + 96 + 8);

  for (size_t i = 0, at = optional + optionalSize; i < sectionCount; ++i, at += 40) {
    const uint32_t virtualSize = image.U32(at + 8), rawSize = image.U32(at + 16);
    image.sections.push_back({image.U32(at + 12), virtualSize ? virtualSize : rawSize, image.U32(at + 20)});
  }

  size_t descriptor = image.Offset(importTable);
  if (importTable && !descriptor) {
    error = "the import table of " + path + " lies in no section";
    return false;
  }
  for (; descriptor && image.Has(descriptor, 20) && image.U32(descriptor + 12); descriptor += 20) {
    const std::string dll = image.Text(image.Offset(image.U32(descriptor + 12)));
    // The lookup table when there is one; the address table holds the same before binding.
    uint32_t thunks = image.U32(descriptor);
    if (!thunks) thunks = image.U32(descriptor + 16);
    for (size_t at = image.Offset(thunks); at && image.Has(at, 4) && image.U32(at); at += 4) {
      const uint32_t thunk = image.U32(at);
      if (thunk & 0x80000000u)
        program.imports.push_back({dll, "#" + std::to_string(thunk & 0xFFFF)});
      else
        program.imports.push_back({dll, image.Text(image.Offset(thunk) + 2)});
    }
  }
  return true;
}

}  // namespace release_tests
