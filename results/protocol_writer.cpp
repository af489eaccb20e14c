#include "results/protocol_writer.h"

#include <cerrno>
#include <cstring>

#include "engine/request_record.h"
#include "language/code_page.h"
#include "model/qsim_error.h"

namespace qsim {
namespace {

constexpr std::string_view kCrLf = "\r\n";

void AppendInt(std::string& line, std::int32_t value) {
  line += std::to_string(value);
}

}  // namespace

ProtocolWriter::ProtocolWriter(std::ostream& out, std::string model_file_name,
                               const NumberFormat& format)
    : out_(&out), model_file_name_(std::move(model_file_name)), format_(format) {}

void ProtocolWriter::RunStarted() {
  *out_
      << "Протокол составлен в процессе имитации модели из файла "_cp << model_file_name_ << kCrLf
      << "В протокол не включены моменты начальной генерации заявок всеми источниками системы в момент времени 0."_cp
      << kCrLf;
  FailIfBroken();
}

void ProtocolWriter::EventTaken(const EventNode& e) {
  line_ = NumberText(e.time, format_);
  line_ += ' ';
  switch (e.kind) {
    case EventKind::Generation:
      line_ += "Генератор №"_cp;
      AppendInt(line_, e.element);
      line_ += " - генерация заявки;"_cp;
      break;
    case EventKind::QueueEntry:
      line_ += "Очередь №"_cp;
      AppendInt(line_, e.element);
      line_ += " - вход заявки N"_cp;
      AppendInt(line_, e.request->number);
      line_ += ';';
      break;
    case EventKind::QueueExit:
      line_ += "Очередь №"_cp;
      AppendInt(line_, e.element);
      line_ += " - выход заявки;"_cp;
      break;
    case EventKind::ServiceStart:
      line_ += "Устройство №"_cp;
      AppendInt(line_, e.element);
      line_ += " - пост. на обсл. из очереди №"_cp;
      AppendInt(line_, e.from_queue);
      line_ += " заявки N"_cp;
      AppendInt(line_, e.request->number);
      line_ += ';';
      break;
    case EventKind::ServiceEnd:
      line_ += "Устройство №"_cp;
      AppendInt(line_, e.element);
      line_ += " - конец обслуживания заявки N"_cp;
      AppendInt(line_, e.request->number);
      line_ += ';';
      break;
    case EventKind::Removal:
      line_ += "Удаление из системы заявки N"_cp;
      AppendInt(line_, e.request->number);
      line_ += ';';
      break;
  }
  line_ += kCrLf;
  out_->write(line_.data(), static_cast<std::streamsize>(line_.size()));
  FailIfBroken();
}

void ProtocolWriter::RunFinished() {
  out_->flush();
  FailIfBroken();
}

void ProtocolWriter::FailIfBroken() {
  if (!*out_)
    throw QsimError("Cannot write the protocol. " + std::string(std::strerror(errno)));
}

ProtocolFile::ProtocolFile(std::string reports_folder, const RunSettings& settings,
                           const Platform& platform, std::string model_file_name,
                           const NumberFormat& format, std::string suffix)
    : ProtocolWriter(file_, std::move(model_file_name), format),
      reports_folder_(std::move(reports_folder)),
      name_auto_(settings.protocol_name_auto),
      chosen_name_(settings.protocol_file_name),
      platform_(platform),
      suffix_(std::move(suffix)) {}

void ProtocolFile::RunStarted() {
  path_ = GeneratedFilePath(reports_folder_, name_auto_, chosen_name_, "protocol_", platform_.Now(),
                            suffix_, ".txt");
  file_.open(path_, std::ios::binary | std::ios::trunc);
  if (!file_) {
    throw QsimError("Cannot create file \"" + path_ + "\". " + std::strerror(errno));
  }
  ProtocolWriter::RunStarted();
}

void ProtocolFile::RunFinished() {
  ProtocolWriter::RunFinished();
  file_.close();
}

}  // namespace qsim
