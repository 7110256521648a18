// The record of the internal atom table with a given name ("Q2_1").
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "recognition/atom_table.h"

inline const TTableRecord& AtomRecordNamed(const std::string& name) {
  const TAtomTable& table = LoadAtomTable();
  for (int i = 0; i < table.Count(); ++i)
    if (table.FormatAtomName(table.Record(i)->GetKey()) == name) return *table.Record(i);
  ADD_FAILURE() << name;
  return *table.Record(0);
}
