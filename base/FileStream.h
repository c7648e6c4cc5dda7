// The file stream: one open file with seek, read and write, released when the object goes.
#pragma once

#include <cstdint>
#include <string>

#include "base/FileDescriptor.h"
#include "base/Stream.h"

namespace pm {

enum class FileAccess {
  // Page files: read-only, and exclusive: while this program holds the file open in this
  // mode, every further exclusive or shared open of it fails.
  ReadExclusive,
  // Picture files: read-only; others may read at the same time, but not a writer that holds
  // the file exclusively.
  ReadShared,
  // A new or emptied file opened for reading and writing, held exclusively.
  CreateExclusive,
};

class TFileStream : public TStream {
 public:
  // Fails with EFOpenError "ファイル %s は開けません" (the read modes) or EFCreateError
  // "ファイル %s を作成できません" (create), the name exactly as passed; also when the file
  // that was locked is no longer the one that the name gives (renamed over meanwhile).
  TFileStream(const std::string& fileName, FileAccess access);
  // Takes over an open descriptor that the caller has already locked as it needs.
  TFileStream(TFileDescriptor descriptor, std::string fileName);
  ~TFileStream() override = default;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override;

  // Pushes the written content to the storage device; EWriteError when that fails.
  void Flush();
  // Closes the file now; EWriteError when the system reports that written data was lost.
  void Close();

  // Hands the open descriptor, with the lock taken through it, to the caller; the stream is
  // closed afterwards.
  TFileDescriptor TakeDescriptor();

  const std::string& FileName() const { return fileName_; }
  int Descriptor() const { return descriptor_.Get(); }

 private:
  TFileDescriptor descriptor_;
  std::string fileName_;
};

}  // namespace pm
