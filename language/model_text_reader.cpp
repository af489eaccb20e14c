#include "language/model_text_reader.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace {

// Only the first three tokens of a line are ever used; a missing token is empty.
using Tokens = std::array<std::string_view, 3>;

Tokens CutTokens(std::string_view line) {
  Tokens tokens{};
  std::size_t start = 0;
  for (std::size_t number = 0; number < tokens.size() && start <= line.size(); ++number) {
    const std::size_t end = line.find_first_of(" ;", start);
    if (end == std::string_view::npos) {
      tokens[number] = line.substr(start);
      break;
    }
    tokens[number] = line.substr(start, end - start);
    start = end + 1;
  }
  return tokens;
}

// A line ending in "+" loses the "+" and the character before it.
void PrepareLine(std::string& line) {
  if (line.size() >= 2 && line.back() == '+')
    line.resize(line.size() - 2);
}

// A value beyond the store's limits, as "<what><value><range>".
QsimError RangeError(std::string_view what, int value, std::string_view range) {
  std::string message(what);
  message += std::to_string(value);
  message += range;
  return QsimError(message);
}

enum class Section { None, Generator, Queue, Device };

class Reader {
 public:
  Reader(ModelStore& store, const NumberFormat& format) : store_(store), format_(format) {}

  // Applies the line and returns how many of its tokens were taken, 0 when the
  // line was ignored; a name cut to its first 25 characters counts as 1.
  int ApplyLine(const Tokens& t) {
    taken_ = 2;
    Apply(t);
    return taken_;
  }

 private:
  void Apply(const Tokens& t) {
    const std::string_view word = t[0];
    if (word == "generator")
      return OpenBlock(Section::Generator, t[1]);
    if (section_ == Section::Generator && TrySetGeneratorField(t))
      return;
    if (word == "queue")
      return OpenBlock(Section::Queue, t[1]);
    if (section_ == Section::Queue && TrySetQueueField(t))
      return;
    if (word == "device")
      return OpenBlock(Section::Device, t[1]);
    if (section_ == Section::Device && TrySetDeviceField(t))
      return;
    TrySetModelLevel(t);
  }

  void OpenBlock(Section section, std::string_view slot_text) {
    section_ = section;
    EndTransfer();
    const int slot = ParseInteger(slot_text);
    if (slot < 0 || slot > kSlotCount) {
      throw RangeError("номер элемента "_cp, slot, " вне диапазона 1..150"_cp);
    }
    slot_ = slot;
    if (slot_ == 0) {
      taken_ = 0;
      return;  // slot 0 marks nothing; its block's lines are ignored
    }
    switch (section) {
      case Section::Generator:
        return Open(store_.generator(slot_));
      case Section::Queue:
        return Open(store_.queue(slot_));
      case Section::Device:
        return Open(store_.device(slot_));
      case Section::None:
        return;
    }
  }

  // The first block of a slot in this reading starts from a fresh element, so that a
  // field the text leaves out does not come from whatever model was read before.
  // Every `exists` was cleared when the reading began.
  template <typename Record>
  static void Open(Record& record) {
    if (!record.exists)
      ResetDefinition(record);
    record.exists = true;
  }

  void EndTransfer() {
    transfer_mode_ = false;
    announced_ = 0;
    next_entry_ = 0;
  }

  bool TransitionPending() const {
    return transfer_mode_ && next_entry_ >= 1 && next_entry_ <= announced_;
  }

  void StartTransfer(std::int32_t& transfer, std::string_view count_text) {
    const int count = ParseInteger(count_text);
    if (count < 0 || count > kMaxTransitions) {
      throw RangeError("число переходов "_cp, count, " вне диапазона 0..30"_cp);
    }
    transfer_mode_ = true;
    announced_ = count;
    transfer = count;
    next_entry_ = 1;
  }

  // Fields shared by all three blocks.
  template <typename Record>
  bool TrySetCommonField(Record& r, const Tokens& t) {
    if (t[0] == "name") {
      r.name.assign(t[1]);
      if (t[1].size() > kElementNameLength)
        taken_ = 1;
    } else if (t[0] == "xc") {
      r.xc = ParseInteger(t[1]);
    } else if (t[0] == "yc") {
      r.yc = ParseInteger(t[1]);
    } else if (t[0] == "transfer") {
      StartTransfer(r.transfer, t[1]);
    } else {
      return false;
    }
    return true;
  }

  bool TrySetGeneratorField(const Tokens& t) {
    if (slot_ != 0) {
      GeneratorRecord& g = store_.generator(slot_);
      if (TrySetCommonField(g, t))
        return true;
      if (t[0] == "la")
        return g.la = Real(t[1]), true;
      if (t[0] == "prior")
        return g.prior = ParseInteger(t[1]), true;
      if (t[0] == "disp")
        return g.disp = Real(t[1]), true;
      if (t[0] == "rasp")
        return g.rasp = LowByte(ParseInteger(t[1])), true;
    }
    if (!TransitionPending())
      return false;
    taken_ = 3;
    TransitionEntry& entry = store_.generator(slot_).transitions[next_entry_++];
    entry.prob = Real(t[0]);
    if (t[1] == "queue")
      entry.kind = TargetKind::Queue;
    entry.index = ParseInteger(t[2]);
    return true;
  }

  bool TrySetQueueField(const Tokens& t) {
    if (slot_ != 0) {
      QueueRecord& q = store_.queue(slot_);
      if (TrySetCommonField(q, t))
        return true;
      if (t[0] == "len")
        return q.len = ParseInteger(t[1]), true;
      if (t[0] == "discip")
        return taken_ = SetDiscipline(q, t[1]) ? 2 : 0, true;
    }
    if (!TransitionPending())
      return false;
    taken_ = 3;
    TransitionEntry& entry = store_.queue(slot_).transitions[next_entry_++];
    entry.prob = Real(t[0]);
    if (t[1] == "device")
      entry.kind = TargetKind::Device;
    entry.index = ParseInteger(t[2]);
    return true;
  }

  bool TrySetDeviceField(const Tokens& t) {
    if (slot_ != 0) {
      DeviceRecord& d = store_.device(slot_);
      if (TrySetCommonField(d, t))
        return true;
      if (t[0] == "v")
        return d.v = Real(t[1]), true;
      if (t[0] == "disp")
        return d.disp = Real(t[1]), true;
      if (t[0] == "k")
        return d.k = ParseInteger(t[1]), true;
      if (t[0] == "rasp")
        return d.rasp = LowByte(ParseInteger(t[1])), true;
    }
    if (!TransitionPending())
      return false;
    TransitionEntry& entry = store_.device(slot_).transitions[next_entry_++];
    entry.prob = Real(t[0]);
    taken_ = 1;
    if (t[1] == "queue") {
      entry.kind = TargetKind::Queue;
      entry.index = ParseInteger(t[2]);
      taken_ = 3;
    } else if (t[1] == "terminator") {
      entry.kind = TargetKind::Terminator;
      entry.index = 1;
      taken_ = 2;
    }
    return true;
  }

  void TrySetModelLevel(const Tokens& t) {
    RunSettings& s = store_.settings;
    if (t[0] == "simulate") {
      CloseBlock();
      s.simulate = ParseInteger(t[1]);
      s.by_time = false;
    } else if (t[0] == "by_time") {
      CloseBlock();
      s.end_time = Real(t[1]);
      s.by_time = true;
    } else if (t[0] == "process_all") {
      CloseBlock();
      s.retry_interval = Real(t[1]);
      s.process_all = true;
    } else if (t[0] == "term_crd") {
      CloseBlock();
      store_.term_x = ParseInteger(t[1]);
      store_.term_y = ParseInteger(t[2]);
      taken_ = 3;
    } else {
      taken_ = 0;
    }
  }

  // A model-level line ends the current block; the slot number is kept but no
  // element rule applies until the next header.
  void CloseBlock() {
    section_ = Section::None;
    EndTransfer();
  }

  // False for a word that names no discipline, which leaves it as it was.
  static bool SetDiscipline(QueueRecord& q, std::string_view word) {
    if (word == "fifo")
      q.discip = kFifo;
    else if (word == "lifo")
      q.discip = kLifo;
    else if (word == "pfifo")
      q.discip = kPriorityFifo;
    else if (word == "plifo")
      q.discip = kPriorityLifo;
    else
      return false;
    return true;
  }

  // A real in either decimal separator: a model written under one locale reads under
  // the other, and since a token ends only at a space or ";", a comma in it can only
  // be a decimal separator. A token that reads in neither form is reported as written.
  double Real(std::string_view token) const {
    const char other = format_.decimal_separator == ',' ? '.' : ',';
    if (token.find(other) == std::string_view::npos)
      return ParseReal(token, format_);
    std::string local(token);
    std::replace(local.begin(), local.end(), other, format_.decimal_separator);
    try {
      return ParseReal(local, format_);
    } catch (const QsimError&) {
      return ParseReal(token, format_);  // throws with the token as written
    }
  }

  static DistributionKind LowByte(std::int32_t value) {
    return static_cast<DistributionKind>(static_cast<std::uint32_t>(value) & 0xFF);
  }

  ModelStore& store_;
  const NumberFormat& format_;
  Section section_ = Section::None;
  int slot_ = 0;
  bool transfer_mode_ = false;
  int announced_ = 0;
  int next_entry_ = 0;
  int taken_ = 0;  // tokens of the line in hand that a rule took
};

// True when nothing but separators follows the first `taken` tokens of the line.
bool TakenWhole(std::string_view line, int taken) {
  std::size_t start = 0;
  for (int token = 0; token < taken && start != std::string_view::npos; ++token) {
    const std::size_t end = line.find_first_of(" ;", start);
    start = end == std::string_view::npos ? end : end + 1;
  }
  return start == std::string_view::npos ||
         line.find_first_not_of(" ;", start) == std::string_view::npos;
}

}  // namespace

void ReadModelText(std::vector<std::string>& lines, ModelStore& store, const NumberFormat& format,
                   std::vector<int>* not_taken_whole) {
  store.ClearExists();
  Reader reader(store, format);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    PrepareLine(lines[i]);
    int taken = 0;
    try {
      taken = reader.ApplyLine(CutTokens(lines[i]));
    } catch (const QsimError& error) {
      throw error.AtLine(static_cast<int>(i + 1));
    }
    if (not_taken_whole != nullptr && !TakenWhole(lines[i], taken))
      not_taken_whole->push_back(static_cast<int>(i + 1));
  }
}

std::vector<int> LinesNotTakenWhole(std::vector<std::string> lines, const NumberFormat& format) {
  std::vector<int> found;
  const auto scratch = std::make_unique<ModelStore>();
  try {
    ReadModelText(lines, *scratch, format, &found);
  } catch (const QsimError&) {
    return {};  // a text that does not read is kept as it is
  }
  return found;
}

}  // namespace qsim
