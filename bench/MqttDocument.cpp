#include "MqttDocument.h"

#include <cstdint>

namespace {

// A fixed sequence, so every run and every reader sees the same document.
struct Lcg {
    std::uint32_t s = 12345;
    std::uint32_t Next(std::uint32_t n) {
        s = s * 1664525u + 1013904223u;
        return (s >> 8) % n;
    }
};

const char* const kCodes[] = {"CNN", "PVD", "LVL", "BTR", "ALR", "STT",
                              "TMP", "FIR", "DOR", "PWR", "ERR", "MOD"};
const char* const kPrefixes[] = {"MQT", "FAL", "LFT", "SHL", "DVR", "PMP"};
// Lift alarm texts as an engineer types them (UTF-8, as the controller serves them).
const char* const kAlarmTexts[] = {"Застревание кабины", "Открыта дверь шахты", "Нет связи с лифтом",
                                   "Пожарная опасность", "Перегрузка"};

void Indent(std::string& out, int level) { out.append(static_cast<std::size_t>(level) * 2, ' '); }

void Topics(std::string& out, Lcg& rnd, int level, int objects) {
    Indent(out, level);
    out += "\"topics\": {\n";
    for (int o = 0; o < objects; ++o) {
        Indent(out, level + 1);
        out += '"';
        out += kPrefixes[rnd.Next(6)];
        if (o > 0) out += "/" + std::to_string(o);
        out += "\": {\n";
        const int topics = 6 + static_cast<int>(rnd.Next(5));
        for (int t = 0; t < topics; ++t) {
            Indent(out, level + 2);
            out += '"';
            out += kCodes[(t + o) % 12];
            out += "\": {\"r\": " + std::to_string(rnd.Next(64)) +
                   ", \"w\": " + (rnd.Next(4) == 0 ? std::to_string(rnd.Next(64)) : std::string("-1")) + "}";
            out += t + 1 < topics ? ",\n" : "\n";
        }
        Indent(out, level + 1);
        out += o + 1 < objects ? "},\n" : "}\n";
    }
    Indent(out, level);
    out += "}\n";
}

void Block(std::string& out, Lcg& rnd, int index) {
    const int kind = index == 0 ? 0 : 1 + static_cast<int>(rnd.Next(2));
    Indent(out, 4);
    out += "{\n";
    Indent(out, 5);
    out += std::string("\"type\": \"") + (kind == 0 ? "SYS" : kind == 1 ? "VELT" : "RUML") + "\",\n";
    Indent(out, 5);
    out += "\"addr\": " + std::to_string(index % 250 + 1) + ",\n";
    if (kind == 1) {
        Indent(out, 5);
        out += "\"params\": {\"debug\": 0";
        for (int l = 1; l <= 8; ++l)
            out += ", \"type" + std::to_string(l) + "\": " + std::to_string(rnd.Next(5));
        out += "},\n";
    } else if (kind == 2) {
        Indent(out, 5);
        out += "\"params\": {\n";
        Indent(out, 6);
        out += "\"debug\": \"0\",\n";
        for (int a = 1; a <= 5; ++a) {
            Indent(out, 6);
            out += "\"alarm" + std::to_string(1 + rnd.Next(3)) + "." + std::to_string(a) + "\": \"1;" +
                   std::to_string(rnd.Next(2)) + ";" + std::to_string(rnd.Next(1000)) + ";" +
                   std::to_string(rnd.Next(200)) + ";" + std::to_string(rnd.Next(200)) + ";" +
                   kAlarmTexts[a - 1] + "\"";
            out += a < 5 ? ",\n" : "\n";
        }
        Indent(out, 5);
        out += "},\n";
    }
    Topics(out, rnd, 5, 4 + static_cast<int>(rnd.Next(4)));
    Indent(out, 4);
    out += "}";
}

}  // namespace

std::string MakeMqttDocument(int blocks) {
    Lcg rnd;
    std::string out;
    out.reserve(static_cast<std::size_t>(blocks) * 2600 + 4096);
    out +=
        "{\n"
        "  \"mqtt\": {\n"
        "    \"host\": \"broker.dispatch.local\",\n"
        "    \"port\": 1883,\n"
        "    \"username\": \"zoren\",\n"
        "    \"password\": \"Kx7#pq29\",\n"
        "    \"qos\": 1,\n"
        "    \"retain\": true,\n"
        "    \"willTopic\": \"zoren/building-17/status\",\n"
        "    \"willMessage\": \"offline\",\n"
        "    \"addTimestamp\": true,\n"
        "    \"buffering\": true\n"
        "  },\n"
        "  \"http\": {\"password\": \"admin:Zr-2024\"},\n"
        "  \"staticTopics\": {\"model\": \"ZOREN-RF\", \"firmware\": \"3.4.12\", \"uptime\": 0.0},\n"
        "  \"buildings\": [\n"
        "    {\n"
        "      \"id\": \"building-17\",\n"
        "      \"connection\": {\"type\": \"ravikgw\", \"ip\": \"10.20.0.15\", \"port\": 4000, "
        "\"serial\": \"/dev/ttyS1\"},\n"
        "      \"devices\": [\n";
    for (int i = 0; i < blocks; ++i) {
        Block(out, rnd, i);
        out += i + 1 < blocks ? ",\n" : "\n";
    }
    out +=
        "      ]\n"
        "    }\n"
        "  ]\n"
        "}\n";
    return out;
}
