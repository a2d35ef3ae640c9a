// A real ngircd on a free loopback port, with a generated configuration, for integration tests.
#pragma once

#include <string>

namespace morva::test {

class Ngircd
{
public:
    // Starts the server; ok() tells whether it is accepting connections.
    Ngircd();
    ~Ngircd();
    Ngircd(const Ngircd&) = delete;
    Ngircd& operator=(const Ngircd&) = delete;

    bool ok() const { return m_ok; }
    int port() const { return m_port; }
    static bool available();
    static constexpr const char* kName = "irc.dawnhall.test";

private:
    std::string m_dir;
    int m_port = 0;
    int m_pid = -1;
    bool m_ok = false;
};

} // namespace morva::test
