#include "recorder/record_fields.h"

#include <vector>

namespace recorder {
namespace {

FieldValue integer(long long v) {
    return {FieldKind::Integer, v, 0, nullptr};
}
FieldValue number(float v) {
    return {FieldKind::Number, 0, v, nullptr};
}
FieldValue text(const std::string& v) {
    return {FieldKind::Text, 0, 0, &v};
}

}  // namespace

const std::array<RecordField, kFrameFieldCount>& frameFields() {
    static const std::array<RecordField, kFrameFieldCount> fields = {{
        {"Number", "Номер кадра", FieldKind::Integer},
        {"Date", "Дата записи", FieldKind::Text},
        {"Time", "Время записи", FieldKind::Text},
        {"BoomAngle", "Угол наклона стрелы, град", FieldKind::Number},
        {"BoomLength", "Длина стрелы, м", FieldKind::Number},
        {"Radius", "Вылет, м", FieldKind::Number},
        {"Pressure", "Давление, атм", FieldKind::Number},
        {"LoadMass", "Масса груза, т", FieldKind::Number},
        {"Azimuth", "Азимут, град", FieldKind::Number},
        {"Wind", "Ветер, м/с", FieldKind::Number},
        {"KosBits", "КОС", FieldKind::Text},
        {"Temperature", "Температура, град", FieldKind::Integer},
        {"ReevingMode", "Запасовка/Режим", FieldKind::Text},
        {"LoadPercent", "Степень загрузки, %", FieldKind::Integer},
        {"RelayBits", "Выходн.реле", FieldKind::Text},
        {"LimitBits", "Введенные/Сработав. огран.", FieldKind::Text},
        {"InputBits1", "Дискретные входы 1", FieldKind::Text},
        {"InputBits2", "Дискретные входы 2", FieldKind::Text},
        {"InputBits3", "Дискретные входы 3", FieldKind::Text},
        {"FaultCode", "Коды отказа", FieldKind::Integer},
        {"Status", "Контрольная сумма", FieldKind::Text},
    }};
    return fields;
}

FieldValue frameFieldValue(const FrameRecord& f, int field) {
    switch (field) {
        case 0:
            return integer(f.Number);
        case 1:
            return text(f.Date);
        case 2:
            return text(f.Time);
        case 3:
            return number(f.BoomAngle);
        case 4:
            return number(f.BoomLength);
        case 5:
            return number(f.Radius);
        case 6:
            return number(f.Pressure);
        case 7:
            return number(f.LoadMass);
        case 8:
            return number(f.Azimuth);
        case 9:
            return number(f.Wind);
        case 10:
            return text(f.KosBits);
        case 11:
            return integer(f.Temperature);
        case 12:
            return text(f.ReevingMode);
        case 13:
            return integer(f.LoadPercent);
        case 14:
            return text(f.RelayBits);
        case 15:
            return text(f.LimitBits);
        case 16:
            return text(f.InputBits1);
        case 17:
            return text(f.InputBits2);
        case 18:
            return text(f.InputBits3);
        case 19:
            return integer(f.FaultCode);
        default:
            return text(f.Status);
    }
}

const std::array<RecordField, kOverloadFieldCount>& overloadFields() {
    static const std::array<RecordField, kOverloadFieldCount> fields = {{
        {"Number", "Номер кадра", FieldKind::Integer},
        {"Radius", "Фактический вылет, м", FieldKind::Number},
        {"Capacity", "Грузоподъемность, т", FieldKind::Number},
        {"LoadPercent", "Степень загрузки, %", FieldKind::Integer},
        {"Date", "Дата перегрузки", FieldKind::Text},
        {"ModeNumber", "Номер рабочего режима", FieldKind::Integer},
        {"Status", "Контрольная сумма", FieldKind::Text},
    }};
    return fields;
}

FieldValue overloadFieldValue(const OverloadRecord& r, int field) {
    switch (field) {
        case 0:
            return integer(r.Number);
        case 1:
            return number(r.Radius);
        case 2:
            return number(r.Capacity);
        case 3:
            return integer(r.LoadPercent);
        case 4:
            return text(r.Date);
        case 5:
            return integer(r.ModeNumber);
        default:
            return text(r.Status);
    }
}

int overloadRowField(int row) {
    // Rows: number, date, mode, load, radius, capacity, status.
    static constexpr int kFields[kOverloadFieldCount] = {0, 4, 5, 3, 1, 2, 6};
    return kFields[row];
}

const char* overloadRowCaption(int row) {
    return overloadFields()[static_cast<std::size_t>(overloadRowField(row))].caption;
}

namespace {

// Bit b of a bit string: character 8 is bit 0, character 1 is bit 7.
bool bitSet(const std::string& bits, int b) {
    return bits.size() == 8 && bits[static_cast<std::size_t>(7 - b)] == '1';
}

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& p : parts) out += (out.empty() ? "" : ", ") + p;
    return out;
}

std::string limitsExplanation(const std::string& bits) {
    static const char* const kLimits[4] = {"стена", "потолок", "поворот влево", "поворот вправо"};
    std::vector<std::string> entered, triggered;
    for (int level = 0; level < 4; ++level) {
        if (bitSet(bits, level)) entered.emplace_back(kLimits[level]);
        if (bitSet(bits, level + 4)) triggered.emplace_back(kLimits[level]);
    }
    if (entered.empty() && triggered.empty()) return "Ограничения координатной защиты не введены";
    std::string out = "Введены: " + (entered.empty() ? std::string("нет") : joined(entered));
    out += "\nСработали: " + (triggered.empty() ? std::string("нет") : joined(triggered));
    return out;
}

std::string bitsExplanation(const std::string& bits) {
    std::vector<std::string> set;
    for (int b = 7; b >= 0; --b)
        if (bitSet(bits, b)) set.push_back(std::to_string(b));
    return set.empty() ? "Ни один бит не установлен" : "Установлены биты: " + joined(set);
}

}  // namespace

std::string frameCellExplanation(const FrameRecord& frame, int row) {
    switch (row) {
        case 10:
            return "КОС: " + bitsExplanation(frame.KosBits);
        case 14:
            return "Выходные реле: " + bitsExplanation(frame.RelayBits);
        case 15:
            return limitsExplanation(frame.LimitBits);
        case 16:
            return "Дискретные входы 1: " + bitsExplanation(frame.InputBits1);
        case 17:
            return "Дискретные входы 2: " + bitsExplanation(frame.InputBits2);
        case 18:
            return "Дискретные входы 3: " + bitsExplanation(frame.InputBits3);
        case 19:
            return frame.FaultCode == 0 ? std::string("Отказов нет")
                                        : "Код отказа " + std::to_string(frame.FaultCode);
        default:
            return {};
    }
}

std::string fieldText(const FieldValue& value, const NumberFormat& format) {
    switch (value.kind) {
        case FieldKind::Integer:
            return std::to_string(value.integer);
        case FieldKind::Number:
            return formatFixed(value.number, 2, format);
        case FieldKind::Text:
            return *value.text;
    }
    return {};
}

}  // namespace recorder
