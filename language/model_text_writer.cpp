#include "language/model_text_writer.h"

#include "foundation/overloaded.h"

namespace qsim {
namespace {

class Writer {
 public:
  explicit Writer(const NumberFormat& format) : format_(format) {}

  void Line(const std::string& text) { lines_.push_back(text + ";"); }
  void EmptyLine() { lines_.emplace_back(); }
  std::string Real(double value) const { return NumberText(value, format_); }
  static std::string Int(std::int64_t value) { return IntegerText(value); }

  template <typename Record>
  void Head(const char* keyword, int slot, const Record& r) {
    Line(std::string(keyword) + " " + Int(slot));
    Line("name " + r.name.str());
    Line("xc " + Int(r.xc));
    Line("yc " + Int(r.yc));
  }

  void Generator(int slot, const GeneratorRecord& g) {
    Head("generator", slot, g);
    Line("la " + Real(g.la));  // an integral intensity reads as before: "la 2"
    Line("prior " + Int(g.prior));
    Line("rasp " + Int(g.rasp));
    Line("disp " + Real(g.disp));
    Line("transfer " + Int(g.transfer));
    for (int i = 1; i <= g.transfer; ++i) {
      Line(Real(g.transitions[i].prob) + " queue " + Int(g.transitions[i].index));
    }
    EmptyLine();
  }

  void Queue(int slot, const QueueRecord& q) {
    static const char* const kDisciplines[] = {"fifo", "lifo", "pfifo", "plifo"};
    Head("queue", slot, q);
    Line("len " + Int(q.len));
    if (q.discip <= kPriorityLifo)
      Line(std::string("discip ") + kDisciplines[q.discip]);
    Line("transfer " + Int(q.transfer));
    for (int i = 1; i <= q.transfer; ++i) {
      Line(Real(q.transitions[i].prob) + " device " + Int(q.transitions[i].index));
    }
    EmptyLine();
  }

  void Device(int slot, const DeviceRecord& d) {
    Head("device", slot, d);
    Line("k " + Int(d.k));
    Line("v " + Real(d.v));
    Line("rasp " + Int(d.rasp));
    Line("disp " + Real(d.disp));
    Line("transfer " + Int(d.transfer));
    for (int i = 1; i <= d.transfer; ++i) {
      const TransitionEntry& e = d.transitions[i];
      if (e.kind == TargetKind::Queue)
        Line(Real(e.prob) + " queue " + Int(e.index));
      if (e.kind == TargetKind::Terminator)
        Line(Real(e.prob) + " terminator");
    }
    EmptyLine();
  }

  void ModelLevel(const ModelStore& store) {
    const RunSettings& s = store.settings;
    Line("term_crd " + Int(store.term_x) + " " + Int(store.term_y));
    if (s.process_all)
      Line("process_all " + Real(s.retry_interval));
    if (s.by_time) {
      Line("by_time " + Real(s.end_time));
    } else {
      Line("simulate " + Int(s.simulate));
    }
  }

  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  const NumberFormat& format_;
  std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> WriteModelText(const ModelStore& store, const NumberFormat& format) {
  Writer writer(format);
  store.ForEachElement(
      Overloaded{[&](int slot, const GeneratorRecord& g) { writer.Generator(slot, g); },
                 [&](int slot, const QueueRecord& q) { writer.Queue(slot, q); },
                 [&](int slot, const DeviceRecord& d) { writer.Device(slot, d); }});
  writer.ModelLevel(store);
  return writer.Take();
}

}  // namespace qsim
