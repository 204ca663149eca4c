// A SoundFont reduced to a song's instruments: the same sample data, only the zones the song's keys reach.
#include "platform/soundfont_subset.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

namespace {

constexpr int DrumBank = 128;
constexpr std::uint16_t KeyRangeGenerator = 43, InstrumentGenerator = 41, SampleGenerator = 53;

std::uint32_t Little32(const std::uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
std::uint16_t Little16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }
void PutLittle32(Bytes& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void SetLittle16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

// One list of the preset data ("phdr", "pbag", ...): fixed-size records.
struct RecordList {
  const char* id;
  std::size_t size;
  Bytes bytes;
  std::size_t Count() const { return bytes.size() / size; }
  const std::uint8_t* At(std::size_t index) const { return &bytes[index * size]; }
  void Append(const std::uint8_t* record) { bytes.insert(bytes.end(), record, record + size); }
};

// The nine lists of a SoundFont's preset data, in file order.
enum List { Phdr, Pbag, Pmod, Pgen, Inst, Ibag, Imod, Igen, Shdr, ListCount };

std::array<RecordList, ListCount> EmptyLists() {
  return {RecordList{"phdr", 38, {}}, {"pbag", 4, {}}, {"pmod", 10, {}}, {"pgen", 4, {}}, {"inst", 22, {}},
          {"ibag", 4, {}}, {"imod", 10, {}}, {"igen", 4, {}}, {"shdr", 46, {}}};
}

bool Refuse(std::string& error, const std::string& why) {
  error = why;
  return false;
}

bool ReadAt(std::ifstream& file, std::uint64_t offset, std::uint8_t* out, std::uint64_t count) {
  file.clear();
  file.seekg(static_cast<std::streamoff>(offset));
  file.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
  return static_cast<std::uint64_t>(file.gcount()) == count;
}

// The preset data's lists; false when one is missing, is not whole records, or lacks its terminal record.
bool ParsePresetData(const Bytes& pdta, std::array<RecordList, ListCount>& lists) {
  lists = EmptyLists();
  for (std::size_t at = 4; at + 8 <= pdta.size();) {
    const std::uint32_t length = Little32(&pdta[at + 4]);
    if (length > pdta.size() - at - 8) return false;
    for (RecordList& list : lists)
      if (std::memcmp(&pdta[at], list.id, 4) == 0) list.bytes.assign(&pdta[at + 8], &pdta[at + 8] + length);
    at += 8 + length + (length & 1);
  }
  return std::all_of(lists.begin(), lists.end(),
                     [](const RecordList& list) { return list.Count() >= 1 && list.bytes.size() % list.size == 0; });
}

// Where a header record ("phdr" or "inst") keeps the index of its first zone.
std::size_t ZoneIndexOffset(List headers) { return headers == Phdr ? 24 : 20; }

// Zones, generators and modulators of a header list ("phdr" or "inst") are ranges between neighbouring indices.
struct Hydra {
  const std::array<RecordList, ListCount>& lists;

  std::size_t FirstZone(List headers, std::size_t header) const {
    return Little16(lists[headers].At(header) + ZoneIndexOffset(headers));
  }
  std::size_t FirstGenerator(List bags, std::size_t zone) const { return Little16(lists[bags].At(zone)); }
  std::size_t FirstModulator(List bags, std::size_t zone) const { return Little16(lists[bags].At(zone) + 2); }
  // Checked once: every index lies inside its list and never goes back.
  bool Consistent(List headers, List bags, List modulators, List generators) const {
    for (std::size_t h = 0; h + 1 < lists[headers].Count(); ++h)
      if (FirstZone(headers, h) > FirstZone(headers, h + 1)) return false;
    if (FirstZone(headers, lists[headers].Count() - 1) >= lists[bags].Count()) return false;
    for (std::size_t z = 0; z + 1 < lists[bags].Count(); ++z)
      if (FirstGenerator(bags, z) > FirstGenerator(bags, z + 1) ||
          FirstModulator(bags, z) > FirstModulator(bags, z + 1))
        return false;
    const std::size_t lastZone = lists[bags].Count() - 1;
    return FirstGenerator(bags, lastZone) < lists[generators].Count() &&
           FirstModulator(bags, lastZone) < lists[modulators].Count();
  }
  // The generator `oper` of a zone, if it has one.
  const std::uint8_t* Generator(List bags, List generators, std::size_t zone, std::uint16_t oper) const {
    for (std::size_t g = FirstGenerator(bags, zone); g < FirstGenerator(bags, zone + 1); ++g)
      if (Little16(lists[generators].At(g)) == oper) return lists[generators].At(g) + 2;
    return nullptr;
  }
  std::bitset<128> KeyRange(List bags, List generators, std::size_t zone) const {
    std::bitset<128> range;
    const std::uint8_t* amount = Generator(bags, generators, zone, KeyRangeGenerator);
    const int low = amount ? amount[0] : 0, high = amount ? std::min<int>(amount[1], 127) : 127;
    for (int key = low; key <= high; ++key) range.set(key);
    return range;
  }
};

// Copies the kept zones of header `h` into `out`, with their generators and modulators; `keep(zone)` decides.
template <typename Keep, typename Rewrite>
void CopyHeader(const Hydra& hydra, List headers, List bags, List modulators, List generators, std::size_t h,
                std::array<RecordList, ListCount>& out, Keep keep, Rewrite rewriteGenerator) {
  Bytes header(hydra.lists[headers].At(h), hydra.lists[headers].At(h) + hydra.lists[headers].size);
  SetLittle16(&header[ZoneIndexOffset(headers)], static_cast<std::uint16_t>(out[bags].Count()));
  out[headers].Append(header.data());
  for (std::size_t zone = hydra.FirstZone(headers, h); zone < hydra.FirstZone(headers, h + 1); ++zone) {
    if (!keep(zone)) continue;
    std::uint8_t bag[4];
    SetLittle16(bag, static_cast<std::uint16_t>(out[generators].Count()));
    SetLittle16(bag + 2, static_cast<std::uint16_t>(out[modulators].Count()));
    out[bags].Append(bag);
    for (std::size_t g = hydra.FirstGenerator(bags, zone); g < hydra.FirstGenerator(bags, zone + 1); ++g) {
      std::uint8_t generator[4];
      std::memcpy(generator, hydra.lists[generators].At(g), 4);
      rewriteGenerator(generator);
      out[generators].Append(generator);
    }
    for (std::size_t m = hydra.FirstModulator(bags, zone); m < hydra.FirstModulator(bags, zone + 1); ++m)
      out[modulators].Append(hydra.lists[modulators].At(m));
  }
}

// The terminal records: the last header pointing past the last zone, and zeroed bag, generator and modulator.
void Terminate(const Hydra& hydra, List headers, List bags, List modulators, List generators,
               std::array<RecordList, ListCount>& out) {
  const std::size_t last = hydra.lists[headers].Count() - 1;
  Bytes header(hydra.lists[headers].At(last), hydra.lists[headers].At(last) + hydra.lists[headers].size);
  SetLittle16(&header[ZoneIndexOffset(headers)], static_cast<std::uint16_t>(out[bags].Count()));
  out[headers].Append(header.data());
  std::uint8_t bag[4];
  SetLittle16(bag, static_cast<std::uint16_t>(out[generators].Count()));
  SetLittle16(bag + 2, static_cast<std::uint16_t>(out[modulators].Count()));
  out[bags].Append(bag);
  const std::uint8_t zeros[10] = {};
  out[generators].Append(zeros);
  out[modulators].Append(zeros);
}

// The index of preset bank:program in "phdr", or -1.
int FindPreset(const RecordList& presets, int bank, int program) {
  for (std::size_t p = 0; p + 1 < presets.Count(); ++p)
    if (Little16(presets.At(p) + 20) == program && Little16(presets.At(p) + 22) == bank) return static_cast<int>(p);
  return -1;
}

// The preset FluidSynth plays for an instrument, with its fallbacks; -1 when there is none.
int PresetFor(const RecordList& presets, const MidiInstrument& instrument) {
  const bool drums = instrument.bank == DrumBank;
  const std::pair<int, int> choices[] = {{instrument.bank, instrument.program},
                                         drums ? std::pair{DrumBank, 0} : std::pair{0, instrument.program},
                                         drums ? std::pair{DrumBank, 0} : std::pair{0, 0}};
  for (auto [bank, program] : choices)
    if (int found = FindPreset(presets, bank, program); found >= 0) return found;
  return -1;
}

Bytes ListChunk(const char* type, const Bytes& content) {
  Bytes out{'L', 'I', 'S', 'T'};
  PutLittle32(out, static_cast<std::uint32_t>(4 + content.size()));
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), content.begin(), content.end());
  return out;
}

}  // namespace

bool SoundFontSubset::Read(std::ifstream& originalFile, std::uint64_t offset, std::uint8_t* out,
                           std::uint64_t count) const {
  if (offset > Size() || count > Size() - offset) return false;
  while (count > 0) {
    std::uint64_t piece = 0;
    if (offset < head.size()) {
      piece = std::min<std::uint64_t>(count, head.size() - offset);
      std::memcpy(out, &head[offset], piece);
    } else if (offset < head.size() + dataLength) {
      piece = std::min<std::uint64_t>(count, head.size() + dataLength - offset);
      if (!ReadAt(originalFile, dataOffset + (offset - head.size()), out, piece)) return false;
    } else {
      const std::uint64_t at = offset - head.size() - dataLength;
      piece = std::min<std::uint64_t>(count, tail.size() - at);
      std::memcpy(out, &tail[at], piece);
    }
    offset += piece;
    out += piece;
    count -= piece;
  }
  return true;
}

bool MakeSoundFontSubset(const std::filesystem::path& soundFont, const std::vector<MidiInstrument>& instruments,
                         SoundFontSubset& subset, std::string& error) {
  std::ifstream file(soundFont, std::ios::binary);
  std::uint8_t header[12];
  if (!file || !ReadAt(file, 0, header, 12) || std::memcmp(header, "RIFF", 4) != 0 ||
      std::memcmp(header + 8, "sfbk", 4) != 0)
    return Refuse(error, soundFont.string() + ": not a SoundFont 2 file");
  std::error_code failure;
  const std::uint64_t end = std::min<std::uint64_t>(8 + static_cast<std::uint64_t>(Little32(header + 4)),
                                                    std::filesystem::file_size(soundFont, failure));
  Bytes info, pdta;
  subset = SoundFontSubset{};
  subset.original = soundFont;
  for (std::uint64_t at = 12; at + 12 <= end;) {
    std::uint8_t list[12];
    if (!ReadAt(file, at, list, 12)) break;
    const std::uint64_t length = Little32(list + 4), padded = 8 + length + (length & 1);
    if (length < 4 || padded > end - at) break;
    if (std::memcmp(list, "LIST", 4) == 0 && std::memcmp(list + 8, "INFO", 4) == 0) {
      info.resize(padded);
      if (!ReadAt(file, at, info.data(), info.size())) break;
    } else if (std::memcmp(list, "LIST", 4) == 0 && std::memcmp(list + 8, "sdta", 4) == 0) {
      subset.dataOffset = at;
      subset.dataLength = padded;
    } else if (std::memcmp(list, "LIST", 4) == 0 && std::memcmp(list + 8, "pdta", 4) == 0) {
      pdta.resize(length);
      if (!ReadAt(file, at + 8, pdta.data(), length)) break;
    }
    at += padded;
  }
  std::array<RecordList, ListCount> lists;
  if (info.empty() || subset.dataLength == 0 || !ParsePresetData(pdta, lists))
    return Refuse(error, soundFont.string() + ": damaged SoundFont (INFO, sample or preset data)");
  const Hydra hydra{lists};
  if (!hydra.Consistent(Phdr, Pbag, Pmod, Pgen) || !hydra.Consistent(Inst, Ibag, Imod, Igen))
    return Refuse(error, soundFont.string() + ": damaged SoundFont (zone indices)");

  // The keys each kept preset plays, then the keys each instrument is reached with through the presets' zones.
  std::map<std::size_t, std::bitset<128>> presetKeys;
  for (const MidiInstrument& instrument : instruments)
    if (int preset = PresetFor(lists[Phdr], instrument); preset >= 0) presetKeys[preset] |= instrument.keys;
  std::map<std::size_t, std::bitset<128>> instrumentKeys;
  for (const auto& [preset, keys] : presetKeys)
    for (std::size_t zone = hydra.FirstZone(Phdr, preset); zone < hydra.FirstZone(Phdr, preset + 1); ++zone)
      if (const std::uint8_t* amount = hydra.Generator(Pbag, Pgen, zone, InstrumentGenerator)) {
        const std::size_t instrument = Little16(amount);
        if (instrument + 1 >= lists[Inst].Count()) return Refuse(error, soundFont.string() + ": damaged SoundFont");
        instrumentKeys[instrument] |= keys & hydra.KeyRange(Pbag, Pgen, zone);
      }

  std::array<RecordList, ListCount> out = EmptyLists();
  out[Shdr] = lists[Shdr];
  std::map<std::size_t, std::uint16_t> newInstrument;
  for (const auto& [instrument, keys] : instrumentKeys) {
    newInstrument[instrument] = static_cast<std::uint16_t>(out[Inst].Count());
    const std::size_t first = hydra.FirstZone(Inst, instrument);
    // The first zone without a sample is the instrument's global zone; a sample zone stays when a key reaches it.
    auto keep = [&, keys = keys](std::size_t zone) {
      if (!hydra.Generator(Ibag, Igen, zone, SampleGenerator)) return zone == first;
      return (hydra.KeyRange(Ibag, Igen, zone) & keys).any();
    };
    CopyHeader(hydra, Inst, Ibag, Imod, Igen, instrument, out, keep, [](std::uint8_t*) {});
  }
  Terminate(hydra, Inst, Ibag, Imod, Igen, out);
  for (const auto& [preset, keys] : presetKeys) {
    subset.presets.push_back({Little16(lists[Phdr].At(preset) + 22), Little16(lists[Phdr].At(preset) + 20), {}});
    auto renumber = [&](std::uint8_t* generator) {
      if (Little16(generator) != InstrumentGenerator) return;
      SetLittle16(generator + 2, newInstrument[Little16(generator + 2)]);
    };
    CopyHeader(hydra, Phdr, Pbag, Pmod, Pgen, preset, out, [](std::size_t) { return true; }, renumber);
  }
  Terminate(hydra, Phdr, Pbag, Pmod, Pgen, out);

  Bytes presetData;
  for (const RecordList& list : out) {
    presetData.insert(presetData.end(), list.id, list.id + 4);
    PutLittle32(presetData, static_cast<std::uint32_t>(list.bytes.size()));
    presetData.insert(presetData.end(), list.bytes.begin(), list.bytes.end());
  }
  subset.tail = ListChunk("pdta", presetData);
  subset.head = {'R', 'I', 'F', 'F'};
  PutLittle32(subset.head, static_cast<std::uint32_t>(4 + info.size() + subset.dataLength + subset.tail.size()));
  subset.head.insert(subset.head.end(), {'s', 'f', 'b', 'k'});
  subset.head.insert(subset.head.end(), info.begin(), info.end());
  return true;
}
