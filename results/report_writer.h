#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "foundation/number_format.h"
#include "foundation/platform.h"
#include "foundation/rgb_image_view.h"
#include "model/model_store.h"
#include "results/run_figures.h"

namespace qsim {

// What a report carries beyond the tables of the run.
struct ReportAdditions {
  // The model time at which a run was stopped before its end: the report is
  // headed "Расчет прерван в момент t: показатели за время от 0 до t", so that
  // nobody takes its figures for a whole run.
  std::optional<double> interrupted_at{};
  // Figures with their confidence, in a section of their own after the tables
  // (figures_report.h).
  const RunFigures* figures = nullptr;
};

// Writes the HTML report of the last run: the date of the calculation, the model
// file, the input data of every element in use (when
// store.settings.report_include_input is on) and the statistics of every
// generator, queue and device (report_statistics.h). The text is Windows-1251
// with CR LF line ends and declares that code page in its head; every text that
// comes from the user is written as HTML text (html_text.h). `model_file_name`
// (Windows-1251) is empty for a model never saved; `when`, the moment of the
// calculation, is shown in the platform's short date and long time formats.
//
// REQUIRES: the run has ended and its end-of-run removals are done; `out` is
// binary, so that line ends are written as given.
//
// `picture_source` (a file system path) is the model's picture to show under the
// head; empty for none. `additions` are what follows from how the run went
// (ReportAdditions).
void WriteReport(std::ostream& out, const ModelStore& store, const std::string& model_file_name,
                 const LocalDateTime& when, const Platform& platform, const NumberFormat& format,
                 const std::string& picture_source = "", const ReportAdditions& additions = {});

// The path of the report file in `reports_folder`: "report_" + the stamp of
// `when` when settings.report_name_auto is on, otherwise settings.report_file_name;
// then `suffix` (for series of runs) and ".htm".
std::string ReportPath(const std::string& reports_folder, const RunSettings& settings,
                       const LocalDateTime& when, const std::string& suffix = "");

// A file that a run wrote.
struct WrittenFile {
  std::string path;
  bool replaced = false;  // it took the place of a file of the same name
};

// Reads the clock once, writes the report in `reports_folder` and returns what it
// wrote: a chosen name replaces its file, a stamped name takes a new file (with
// "_2", "_3", ... when the name is taken; see OpenGeneratedFile). The folder is not
// created. The file is written whole or not at all (AtomicFile): a failure throws
// QsimError and leaves the folder as it was.
//
// When settings.report_include_picture is on and `picture` is given, the picture
// is saved as a Windows bitmap named by the report's full path + ".bmp" and shown
// in the report.
WrittenFile WriteReportFile(const std::string& reports_folder, const ModelStore& store,
                            const std::string& model_file_name, const Platform& platform,
                            const NumberFormat& format, const std::string& suffix = "",
                            const RgbImageView* picture = nullptr,
                            const ReportAdditions& additions = {});

}  // namespace qsim
