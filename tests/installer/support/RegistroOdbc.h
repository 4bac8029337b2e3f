// The two ODBC values of the current user that tell the database kind, set for one test and
// removed after it.
#pragma once

#include <string>

namespace talvo::test {

class RegistroOdbc {
 public:
  // Sets the driver description of the data source TALVO and its local database file; an empty
  // file leaves the value out.
  RegistroOdbc(const std::string& descrizioneDriver, const std::string& fileDatabase);
  ~RegistroOdbc();
  RegistroOdbc(const RegistroOdbc&) = delete;
  RegistroOdbc& operator=(const RegistroOdbc&) = delete;

  // Removes both values, as on a machine without the data source.
  static void Rimuovi();
};

}  // namespace talvo::test
