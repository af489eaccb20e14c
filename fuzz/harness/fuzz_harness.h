#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qsim::fuzz {

// The ways the fuzz targets, and the test that replays their corpus and
// regression inputs, drive the core with arbitrary bytes. The bytes are a model
// file: lines split at CR LF, CR or LF, read under both decimal separators; for
// MergeAnyParts they are series parts.
//
// A malformed text may only fail with QsimError, the message a user sees; the
// functions catch that and return normally. Any other exception escapes, and a
// crash, a hang or a sanitizer report is a fault as well.

// Reads the text into a fresh store.
void ReadAnyText(std::string_view bytes);

// Reads the text, writes the store, reads the written text into a fresh store and
// writes it again: the two written texts must be equal. Texts beyond what the
// writer promises to read back (a device transition of unknown kind) are skipped.
// Returns what differs, or nothing.
std::optional<std::string> RoundTripFault(std::string_view bytes);

// The compute command without files: reads the text, checks the model, runs it
// with a small event limit while writing the protocol, writes the report and the
// picture, and writes the canonical text, all into memory. The run is done once
// after the model check, when the check lets it go on, and once without the check.
void ComputeAnyText(std::string_view bytes);

// The traffic analysis and its text, as `analyze` prints them, and the series'
// predictions: of the model as read, and of the model as the check corrects it,
// each before and after a run (store.now set, the statistics as read).
void AnalyzeAnyText(std::string_view bytes);

// Joins the series parts that the bytes hold, as `merge` does; parts are separated
// by a form feed ("\f"). The bytes are not a model text.
void MergeAnyParts(std::string_view bytes);

}  // namespace qsim::fuzz
