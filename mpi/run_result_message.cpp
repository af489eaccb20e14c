#include "mpi/run_result_message.h"

#include <cstring>

namespace qsim::mpi {
namespace {

template <typename Value>
void Put(std::string& bytes, const Value& value) {
  bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename Value>
Value Take(const std::string& bytes, std::size_t& at) {
  Value value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  at += sizeof value;
  return value;
}

void PutText(std::string& bytes, const std::string& text) {
  Put(bytes, static_cast<std::uint64_t>(text.size()));
  bytes += text;
}

std::string TakeText(const std::string& bytes, std::size_t& at) {
  const auto length = Take<std::uint64_t>(bytes, at);
  std::string text = bytes.substr(at, length);
  at += length;
  return text;
}

}  // namespace

std::string PackRunResults(const RunResults& results) {
  std::string bytes;
  Put(bytes, static_cast<std::uint64_t>(results.size()));
  for (const auto& [run, result] : results) {
    Put(bytes, run);
    Put(bytes, static_cast<std::int32_t>(result.status));
    PutText(bytes, result.message);
    PutText(bytes, result.warning);
    Put(bytes, static_cast<std::uint64_t>(result.values.size()));
    for (const std::optional<double>& value : result.values) {
      Put(bytes, static_cast<std::uint8_t>(value.has_value()));
      Put(bytes, value.value_or(0));
    }
  }
  return bytes;
}

RunResults UnpackRunResults(const std::string& bytes) {
  std::size_t at = 0;
  RunResults results(Take<std::uint64_t>(bytes, at));
  for (auto& [run, result] : results) {
    run = Take<std::int64_t>(bytes, at);
    result.status = static_cast<SeriesRunStatus>(Take<std::int32_t>(bytes, at));
    result.message = TakeText(bytes, at);
    result.warning = TakeText(bytes, at);
    result.values.resize(Take<std::uint64_t>(bytes, at));
    for (std::optional<double>& value : result.values) {
      const bool present = Take<std::uint8_t>(bytes, at) != 0;
      const double number = Take<double>(bytes, at);
      if (present)
        value = number;
    }
  }
  return results;
}

}  // namespace qsim::mpi
