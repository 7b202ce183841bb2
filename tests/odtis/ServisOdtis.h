// The sample service installed in the tests' own prefix under the name ZrnoOdtisTest, with settings
// of the test's choosing, and taken down again; the stop is watched against the wait hints.
#ifndef ODTIS_TEST_SERVISODTIS_H
#define ODTIS_TEST_SERVISODTIS_H

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>
#include <zrno/system.h>

namespace odtis_test {

constexpr char k_ime[] = "ZrnoOdtisTest";
constexpr unsigned int k_vrata = 47801;

std::string ImenikPrograma();

class ServisOdtis : public ::testing::Test {
  protected:
    ROskrbnikServisov oskrbnik;
    RServis servis;
    std::string dnevnik = ImenikPrograma() + "odtis_test.log";

    void SetUp() override;
    void TearDown() override;

    /// Installs the service with the default test settings (port k_vrata, the log above, English,
    /// 8 MiB, 32 threads) changed by spremembe (value name, number or text), and starts it.
    void Zazeni(const std::vector<std::pair<const char *, std::string>> &spremembe = {});
    /// Asks the service to stop and watches its reports until it is stopped: every check point must
    /// come within the wait hint reported before it. Returns the last status.
    SERVICE_STATUS Ustavi();
    /// The log's lines, without the LF; a line without its LF is kept with "<no LF>" after it.
    std::vector<std::string> Vrstice() const;
    /// Stops and deletes the service and waits (bounded) until it is gone.
    void Odstrani();
};

} // namespace odtis_test

#endif
