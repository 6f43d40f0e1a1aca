#include "model/agenda_file.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

#include "model/windows1252.h"

namespace gestalia {

namespace {

constexpr std::size_t kDateImageSize = 12;

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

void PutU64(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) {
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

void PutInt32(std::string& out, std::int32_t v) {
    PutU32(out, static_cast<std::uint32_t>(v));
}
void PutFloat(std::string& out, float v) {
    PutU32(out, std::bit_cast<std::uint32_t>(v));
}

void PutDate(std::string& out, const CDateValue& dt) {
    PutU64(out, std::bit_cast<std::uint64_t>(dt.GetRaw()));
    PutInt32(out, static_cast<std::int32_t>(dt.GetStatus()));
}

std::string Where(std::size_t offset) {
    return "(posición " + std::to_string(offset) + ")";
}

CError Damaged(const std::string& what, std::size_t offset) {
    return CError{ErrorKind::damaged, what, offset};
}

// The moments a date marked valid may hold: from 1 January 100 to the end of
// 31 December 9999. Before day 0 the fraction counts forwards from the day the
// integer part names, so the whole of 1 January 100 lies above the lower bound.
constexpr double kFirstMoment = -657435.0;  // exclusive
constexpr double kEndMoment = 2958466.0;    // exclusive

bool IsRealMoment(double dt) {
    return std::isfinite(dt) && dt > kFirstMoment && dt < kEndMoment;
}

// Reads the file image from the front; every read is checked against the bytes
// that remain, so nothing is read past the end.
class CReader {
  public:
    explicit CReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t Offset() const { return m_pos; }
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

    // Callers check Remaining() first.
    std::uint32_t U32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(m_bytes[m_pos++]))
                 << (8 * i);
        }
        return v;
    }
    std::uint64_t U64() {
        const std::uint64_t lo = U32();
        const std::uint64_t hi = U32();
        return lo | (hi << 32);
    }
    std::string_view Bytes(std::size_t n) {
        const std::string_view v = m_bytes.substr(m_pos, n);
        m_pos += n;
        return v;
    }

  private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// One 12-byte date image; what names the date in a message.
Result<CDateValue> ReadDate(CReader& in, const std::string& what) {
    const std::size_t at = in.Offset();
    if (in.Remaining() < kDateImageSize) {
        return Damaged(what + " " + Where(at) + " está cortada: el fichero termina antes", at);
    }
    const double dt = std::bit_cast<double>(in.U64());
    const std::size_t statusAt = in.Offset();
    const std::int32_t status = static_cast<std::int32_t>(in.U32());
    if (status < 0 || status > static_cast<std::int32_t>(DateStatus::null)) {
        return Damaged("el estado de " + what + " " + Where(statusAt) + " es desconocido (" +
                           std::to_string(status) + ")",
                       statusAt);
    }
    // A date marked invalid or null may hold anything and keeps it.
    if (status == static_cast<std::int32_t>(DateStatus::valid) && !IsRealMoment(dt)) {
        return Damaged(what + " " + Where(at) +
                           " está marcada como válida pero no es una fecha entre los años 100 y "
                           "9999",
                       at);
    }
    return CDateValue::FromRaw(dt, static_cast<DateStatus>(status));
}

std::string ItemName(std::size_t index) {
    return "la anotación " + std::to_string(index + 1);
}

}  // namespace

Result<std::string> SerializeAgenda(const CDateValue& dtLastPeriod, const CItemStore& items) {
    CAgendaData data;
    data.dtLastPeriod = dtLastPeriod;
    data.items.reserve(items.size());
    items.ForEach([&data](const CWVCellDataItem& item) {
        CAgendaRecord r;
        r.strText = item.Text();
        r.dtFrom = item.GetFrom();
        r.dtTo = item.GetTo();
        r.nImage = item.GetImage();
        r.fWeight = item.GetWeight();
        data.items.push_back(std::move(r));
    });
    return SerializeAgenda(data);
}

Result<std::string> SerializeAgenda(const CAgendaData& data) {
    constexpr auto kMaxInt32 = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    if (data.items.size() > kMaxInt32) {
        return CError{ErrorKind::cannotSave,
                      "la agenda tiene demasiadas anotaciones para guardarla", std::nullopt};
    }
    std::string out;
    PutDate(out, data.dtLastPeriod);
    PutInt32(out, static_cast<std::int32_t>(data.items.size()));
    for (std::size_t i = 0; i < data.items.size(); ++i) {
        const CAgendaRecord& r = data.items[i];
        Result<std::string> text = EncodeWindows1252(r.strText);
        if (!text) {
            return CError{ErrorKind::unstorableText, ItemName(i) + ": " + text.error().message,
                          text.error().offset};
        }
        if (text.value().size() > kMaxInt32) {
            return CError{ErrorKind::cannotSave,
                          "el texto de " + ItemName(i) + " es demasiado largo para guardarlo",
                          std::nullopt};
        }
        // The whole text, NUL bytes included, so that reading gives it back unchanged.
        PutInt32(out, static_cast<std::int32_t>(text.value().size()));
        out += text.value();
        PutDate(out, r.dtFrom);
        PutDate(out, r.dtTo);
        PutInt32(out, r.nImage);
        PutFloat(out, r.fWeight);
    }
    return out;
}

Result<CAgendaData> ParseAgenda(std::string_view bytes) {
    CReader in(bytes);
    CAgendaData data;
    if (in.Remaining() < kAgendaHeaderSize) {
        return Damaged("es más corto que la cabecera de " + std::to_string(kAgendaHeaderSize) +
                           " bytes (tiene " + std::to_string(bytes.size()) + ")",
                       bytes.size());
    }
    Result<CDateValue> lastPeriod = ReadDate(in, "la fecha de la última regla");
    if (!lastPeriod) {
        return lastPeriod.error();
    }
    data.dtLastPeriod = lastPeriod.value();

    const std::size_t countAt = in.Offset();
    const std::int32_t count = static_cast<std::int32_t>(in.U32());
    if (count < 0) {
        return Damaged("el número de anotaciones " + Where(countAt) + " es negativo (" +
                           std::to_string(count) + ")",
                       countAt);
    }
    const auto n = static_cast<std::size_t>(count);
    // Every record takes at least its fixed part, so a count the file cannot
    // hold is refused before anything is allocated for it.
    if (n > in.Remaining() / kAgendaRecordFixedSize) {
        return Damaged("el número de anotaciones " + Where(countAt) + " (" + std::to_string(count) +
                           ") no cabe en lo que queda del fichero",
                       countAt);
    }
    data.items.reserve(n);

    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t recordAt = in.Offset();
        if (in.Remaining() < kAgendaRecordFixedSize) {
            return Damaged(
                ItemName(i) + " " + Where(recordAt) + " está cortada: el fichero termina antes",
                recordAt);
        }
        const std::int32_t length = static_cast<std::int32_t>(in.U32());
        if (length < 0) {
            return Damaged("la longitud del texto de " + ItemName(i) + " " + Where(recordAt) +
                               " es negativa (" + std::to_string(length) + ")",
                           recordAt);
        }
        const auto len = static_cast<std::size_t>(length);
        const std::size_t textAt = in.Offset();
        if (len > in.Remaining() || in.Remaining() - len < kAgendaRecordFixedSize - 4) {
            return Damaged("el texto de " + ItemName(i) + " " + Where(textAt) +
                               " es más largo que lo que queda del fichero",
                           textAt);
        }
        CAgendaRecord r;
        r.strText = DecodeWindows1252(in.Bytes(len));
        Result<CDateValue> from = ReadDate(in, "la fecha de inicio de " + ItemName(i));
        if (!from) {
            return from.error();
        }
        Result<CDateValue> to = ReadDate(in, "la fecha de fin de " + ItemName(i));
        if (!to) {
            return to.error();
        }
        r.dtFrom = from.value();
        r.dtTo = to.value();
        r.nImage = static_cast<std::int32_t>(in.U32());
        r.fWeight = std::bit_cast<float>(in.U32());
        data.items.push_back(std::move(r));
    }
    if (in.Remaining() != 0) {
        return Damaged("tiene " + std::to_string(in.Remaining()) +
                           " bytes de más después de la última anotación " + Where(in.Offset()),
                       in.Offset());
    }
    return data;
}

}  // namespace gestalia
