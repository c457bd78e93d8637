// The files kept for the installed application: the stamp, the common data
// record and the list of shared files.
#include <cstring>

#include "payload/InstUtils.h"
#include "setup/Records.h"

namespace {

// The double as it lies in memory: little-endian on every target.
AnsiString BytesOf(TDateTime time) {
  AnsiString bytes(sizeof time, '\0');
  std::memcpy(bytes.data(), &time, sizeof time);
  return bytes;
}

void AppendUInt32(AnsiString &data, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) data += static_cast<char>((value >> shift) & 0xFF);
}

bool IsStampLine(const AnsiString &line) { return !line.empty() && line[0] == '*'; }

// Lines this installation writes again move to its own group; empty lines go.
void DropRewrittenLines(TStringList &log, const TStringList &publicFiles) {
  for (int i = log.Count() - 1; i >= 0; --i)
    if (log[i].empty() || publicFiles.IndexOf(log[i]) >= 0) log.Delete(i);
}

// A stamp followed by another stamp, or by nothing, heads a group that lost
// all its files. Of two adjacent stamps the later one goes, so the files
// after it join the earlier group.
void DropEmptyGroups(TStringList &log) {
  for (int i = log.Count() - 1; i >= 1; --i)
    if (IsStampLine(log[i]) && IsStampLine(log[i - 1])) log.Delete(i);
  if (log.Count() > 0 && IsStampLine(log[log.Count() - 1])) log.Delete(log.Count() - 1);
}

}  // namespace

void WriteInstallStamp(const WideString &folder, TDateTime installTime) {
  WriteStringToFile(AppendFileName(folder, "install_stamp"), BytesOf(installTime));
}

void WriteCommonData(const WideString &folder, TDateTime pageEntered) {
  AnsiString data;
  AppendUInt32(data, 1);
  AppendUInt32(data, sizeof pageEntered);
  data += BytesOf(pageEntered);
  AppendUInt32(data, 2);
  AppendUInt32(data, 1);
  data += '1';
  WriteStringToFile(AppendFileName(folder, "lvx_common.dat"), data);
}

AnsiString StampLine(TDateTime installTime) {
  static const char Digits[] = "0123456789ABCDEF";
  AnsiString line = "*";
  for (unsigned char byte : BytesOf(installTime)) {
    line += Digits[byte >> 4];
    line += Digits[byte & 0x0F];
  }
  return line;
}

void MergeUpdateLog(TStringList &publicFiles, TDateTime installTime, const WideString &path) {
  // Sorted, the list is searched case-insensitively in the user's locale.
  publicFiles.Sort();
  TStringList log;
  if (FileExists(path)) {
    log.LoadFromFile(path);
    DropRewrittenLines(log, publicFiles);
    DropEmptyGroups(log);
  }
  log.Add(StampLine(installTime));
  for (const AnsiString &file : publicFiles) log.Add(file);
  log.SaveToFile(path);
}
