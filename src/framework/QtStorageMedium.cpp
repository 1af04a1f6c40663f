#include "QtStorageMedium.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <array>
#include <string_view>

namespace fw {
namespace {

QStorageInfo StorageOf(const std::string& path) {
  QString name = QFile::decodeName(path.c_str());
  // A file not made yet lies on its folder's file system.
  QFileInfo info(name);
  while (!info.exists() && !info.path().isEmpty() && info.path() != name) {
    name = info.path();
    info = QFileInfo(name);
  }
  return QStorageInfo(name);
}

// "/dev/sdb1" -> the kernel's removable flag of sdb (or of sdb1 itself).
bool DeviceIsRemovable(const QByteArray& device) {
  if (!device.startsWith("/dev/")) return false;
  const QString name = QFileInfo(QString::fromLocal8Bit(device)).canonicalFilePath().mid(5);
  if (name.isEmpty()) return false;
  // A partition's folder sits inside its disk's in /sys/class/block.
  const QString block = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
  for (const QString& folder : {block, QFileInfo(block).path()}) {
    QFile flag(folder + QStringLiteral("/removable"));
    if (flag.open(QIODevice::ReadOnly)) return flag.readAll().trimmed() == "1";
  }
  return false;
}

}  // namespace

bool QtStorageMedium::IsNetworkType(const std::string& type) {
  static constexpr std::array<std::string_view, 10> kNetwork = {
      "nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs", "9p", "afs", "davfs"};
  for (std::string_view t : kNetwork)
    if (type == t) return true;
  return false;
}

bool QtStorageMedium::IsRemovable(const std::string& path) {
  const QStorageInfo storage = StorageOf(path);
  if (!storage.isValid()) return false;
  return IsNetworkType(storage.fileSystemType().toStdString()) ||
         DeviceIsRemovable(storage.device());
}

std::uint64_t QtStorageMedium::FreeBytes(const std::string& path) {
  const QStorageInfo storage = StorageOf(path);
  if (!storage.isValid()) return 0;
  const qint64 available = storage.bytesAvailable();
  return available > 0 ? static_cast<std::uint64_t>(available) : 0;
}

}  // namespace fw
