#include "results/protocol_writer.h"

#include <cerrno>
#include <cstring>

#include "engine/request_record.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace {

constexpr std::string_view kCrLf = "\r\n";

void AppendInt(std::string& line, std::int32_t value) {
  AppendInteger(line, value);
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
  // The line is built in place, so its storage is reused from line to line.
  line_.clear();
  AppendNumberText(line_, e.time, format_);
  line_ += ' ';
  // Every line names its element, except a removal, and most end with the request.
  const auto element = [&](std::string_view what) {
    line_ += what;
    AppendInt(line_, e.element);
  };
  const auto request = [&](std::string_view what) {
    line_ += what;
    AppendInt(line_, e.request->number);
    line_ += ';';
  };
  switch (e.kind) {
    case EventKind::Generation:
      element("Генератор №"_cp);
      line_ += " - генерация заявки;"_cp;
      break;
    case EventKind::QueueEntry:
      element("Очередь №"_cp);
      request(" - вход заявки N"_cp);
      break;
    case EventKind::QueueExit:
      element("Очередь №"_cp);
      line_ += " - выход заявки;"_cp;
      break;
    case EventKind::ServiceStart:
      element("Устройство №"_cp);
      line_ += " - пост. на обсл. из очереди №"_cp;
      AppendInt(line_, e.from_queue);
      request(" заявки N"_cp);
      break;
    case EventKind::ServiceEnd:
      element("Устройство №"_cp);
      request(" - конец обслуживания заявки N"_cp);
      break;
    case EventKind::Removal:
      request("Удаление из системы заявки N"_cp);
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
    : ProtocolWriter(no_file, std::move(model_file_name), format),
      reports_folder_(std::move(reports_folder)),
      name_auto_(settings.protocol_name_auto),
      chosen_name_(settings.protocol_file_name),
      platform_(platform),
      suffix_(std::move(suffix)) {}

void ProtocolFile::RunStarted() {
  file.emplace(OpenGeneratedFile(reports_folder_, name_auto_, chosen_name_, "protocol_",
                                 platform_.Now(), suffix_, ".txt"));
  path_ = file->path();
  replaced_ = file->replaces();
  set_stream(file->stream());
  ProtocolWriter::RunStarted();
}

void ProtocolFile::RunFinished() {
  ProtocolWriter::RunFinished();
  file->Commit();
}

void ProtocolFile::FailIfBroken() {
  file->CheckWritten();
}

}  // namespace qsim
