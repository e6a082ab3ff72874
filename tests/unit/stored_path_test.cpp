#include "settings/stored_path.h"

#include <gtest/gtest.h>

#include "sim/sim_file_names.h"

namespace tavrin::settings {
namespace {

TEST(StoredPath, WhatTheCodePageLacksIsStoredAsTheShortPathWhereThereIsOne) {
  sim::SimFileNames names;
  names.AddFile(R"(C:\Плеер\winamp.exe)", R"(C:\0E6A~1\winamp.exe)");
  names.AddFile(R"(C:\Café\winamp.exe)", R"(C:\CAF~1\winamp.exe)");
  // A volume that keeps no 8.3 aliases gives the path back as it is.
  names.AddFile(R"(D:\Музыка\winamp.exe)", R"(D:\Музыка\winamp.exe)");
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"", ""},
      {R"(C:\Café\winamp.exe)", R"(C:\Café\winamp.exe)"},
      {R"(C:\Плеер\winamp.exe)", R"(C:\0E6A~1\winamp.exe)"},
      {R"(D:\Музыка\winamp.exe)", R"(D:\Музыка\winamp.exe)"},
      {R"(C:\Нет\winamp.exe)", R"(C:\Нет\winamp.exe)"},
  };
  for (const auto& path : cases) {
    EXPECT_EQ(StoredPath(names, path.typed), path.stored) << path.typed;
  }
}

}  // namespace
}  // namespace tavrin::settings
