#include "ui/qt/config_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace hanabira {

ConfigFileLoad loadConfigFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return {};
  // A folder, or a pipe or device, whose opening would wait for a writer that never comes.
  if (!info.isFile()) return {std::nullopt, QStringLiteral("not a regular file")};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {std::nullopt, file.errorString()};
  const QByteArray bytes = file.read(static_cast<qint64>(consoleConfigReadLimit));
  if (file.error() != QFileDevice::NoError) return {std::nullopt, file.errorString()};
  return {parseConsoleConfig(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))),
          std::nullopt};
}

std::optional<QString> saveConfigFile(const QString& path, const ConsoleParameters& parameters) {
  const std::string text = formatConsoleConfig(parameters);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  file.write(text.data(), static_cast<qint64>(text.size()));
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

}  // namespace hanabira
