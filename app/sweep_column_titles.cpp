#include "app/sweep_column_titles.h"

#include <QStringList>

#include <optional>

#include "app/gui_text.h"
#include "model/limits.h"

namespace qsim::gui {
namespace {

struct ElementWord {
  const char* prefix;  // as the columns name the kind
  ElementKind kind;
  const char* title;
};

constexpr ElementWord kElements[] = {
    {"generator", ElementKind::Generator, "Генератор"},
    {"queue", ElementKind::Queue, "Очередь"},
    {"device", ElementKind::Device, "Устройство"},
};

// The words follow the report's headings, shortened to fit a column.
struct StatisticWord {
  const char* suffix;
  const char* title;
};

constexpr StatisticWord kStatistics[] = {
    {"served", "обслуженных заявок"},
    {"refused", "необслуженных заявок"},
    {"mean_stay", "среднее время пребывания в системе"},
    {"mean_length", "средняя длина"},
    {"mean_wait", "среднее время ожидания"},
    {"utilisation", "коэффициент использования"},
};

std::string_view NameOf(const ModelStore& store, ElementKind kind, int slot) {
  switch (kind) {
    case ElementKind::Generator:
      return store.generator(slot).name.view();
    case ElementKind::Queue:
      return store.queue(slot).name.view();
    case ElementKind::Device:
      break;
  }
  return store.device(slot).name.view();
}

// The column's three parts: kind, slot, statistic ("queue", "1", "mean_length").
std::optional<QString> Title(const QString& column, const ModelStore& store) {
  const QStringList parts = column.split(QLatin1Char('_'));
  if (parts.size() < 3)
    return std::nullopt;
  bool whole = false;
  const int slot = parts[1].toInt(&whole);
  if (!whole || slot < 1 || slot > kSlotCount)
    return std::nullopt;
  const QString statistic = parts.mid(2).join(QLatin1Char('_'));
  for (const ElementWord& element : kElements) {
    if (parts[0] != QLatin1String(element.prefix))
      continue;
    for (const StatisticWord& word : kStatistics) {
      if (statistic != QLatin1String(word.suffix))
        continue;
      QString title = QString::fromUtf8(element.title) + QLatin1Char(' ') + QString::number(slot);
      const QString name = FromCp1251(NameOf(store, element.kind, slot));
      if (!name.isEmpty())
        title += QStringLiteral(" (%1)").arg(name);
      return title + QStringLiteral(": ") + QString::fromUtf8(word.title);
    }
  }
  return std::nullopt;
}

}  // namespace

QString SweepColumnTitle(const std::string& column, const ModelStore& store) {
  const QString text = QString::fromStdString(column);
  return Title(text, store).value_or(text);
}

}  // namespace qsim::gui
