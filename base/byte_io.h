#ifndef MERID_BASE_BYTE_IO_H_
#define MERID_BASE_BYTE_IO_H_

// Where the programs' bytes come from and go to: standard input, output and
// error in the programs, strings in tests.

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace merid {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `n` bytes into `buf`, stopping after a line feed; returns
  // how many were read, 0 only at the end of input.
  virtual std::size_t read(char* buf, std::size_t n) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void write(std::string_view bytes) = 0;
  virtual void flush() = 0;
};

// A C stream, read byte by byte so that a terminal line is handed over as
// soon as it is typed.
class FileSource : public ByteSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  std::size_t read(char* buf, std::size_t n) override;

 private:
  std::FILE* file_;
};

// A C stream written with fwrite: no locale, no conversion.
class FileSink : public ByteSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  void write(std::string_view bytes) override;
  void flush() override;

 private:
  std::FILE* file_;
};

}  // namespace merid

#endif  // MERID_BASE_BYTE_IO_H_
