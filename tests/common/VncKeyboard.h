#pragma once
// Keys for a program started on Qt's VNC platform ("vnc:port=N"): they reach
// its focus window as a user's keys do, so a real box in a real process can
// be answered. A minimal viewer: protocol 3.3 without a password, key
// events only.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <QThread>
#include <cstdint>
#include <initializer_list>
#include <string>

class VncKeyboard {
public:
    // X keysyms of the keys the tests press.
    static constexpr uint32_t kDown = 0xff54, kReturn = 0xff0d, kAlt = 0xffe9;

    // A port nothing listens on now, for the program to serve.
    static int FreePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = Loopback(0);
        socklen_t size = sizeof address;
        int port = 0;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
            port = ntohs(address.sin_port);
        }
        ::close(fd);
        return port;
    }

    ~VncKeyboard() {
        if (fd_ >= 0) ::close(fd_);
    }

    // Connects and greets the program's server; false when it does not serve.
    bool Connect(int port, int timeoutMs = 10000) {
        for (int waited = 0; waited < timeoutMs; waited += 100) {
            fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address = Loopback(port);
            if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) break;
            ::close(fd_);
            fd_ = -1;
            QThread::msleep(100);
        }
        if (fd_ < 0) return false;
        const timeval limit{10, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        std::string version, security, init;
        if (!Receive(version, 12) || !Send("RFB 003.003\n") || !Receive(security, 4) ||
            security != std::string("\0\0\0\1", 4) || !Send(std::string(1, '\1')) || !Receive(init, 24)) {
            return false;
        }
        const uint32_t nameLength = BigEndian(init.substr(20, 4));
        std::string name;
        return Receive(name, nameLength);
    }

    // Presses the keys together and lets go of them in reverse order.
    bool Press(std::initializer_list<uint32_t> keys) {
        for (uint32_t key : keys) {
            if (!Send(KeyEvent(key, true))) return false;
        }
        for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
            if (!Send(KeyEvent(*key, false))) return false;
        }
        // The program handles one key after the other.
        QThread::msleep(300);
        return true;
    }

private:
    static sockaddr_in Loopback(int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(uint16_t(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }

    static uint32_t BigEndian(const std::string& bytes) {
        uint32_t value = 0;
        for (unsigned char c : bytes) value = value << 8 | c;
        return value;
    }

    static std::string KeyEvent(uint32_t key, bool down) {
        std::string message = {4, char(down ? 1 : 0), 0, 0};
        for (int shift = 24; shift >= 0; shift -= 8) message += char((key >> shift) & 0xff);
        return message;
    }

    bool Send(const std::string& bytes) {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
    }

    bool Receive(std::string& bytes, size_t count) {
        bytes.resize(count);
        for (size_t got = 0; got < count;) {
            const ssize_t n = ::recv(fd_, bytes.data() + got, count - got, 0);
            if (n <= 0) return false;
            got += size_t(n);
        }
        return true;
    }

    int fd_ = -1;
};
