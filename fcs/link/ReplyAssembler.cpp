#include "fcs/link/ReplyAssembler.h"

#include <algorithm>
#include <cstring>

void ReplyAssembler::Expect(int code)
{
    const quint8 noCount[6] = {};
    m_code = NxtProtocol::ReplyLength(code, noCount, 6) == 0 ? NxtProtocol::RC_NONE : code;
    m_have = 0;
}

void ReplyAssembler::Clear()
{
    m_code = NxtProtocol::RC_NONE;
    m_have = 0;
}

ReplyAssembler::Result ReplyAssembler::Feed(QByteArrayView data, Reply& reply)
{
    Result result;
    qsizetype offset = 0;
    while (offset < data.size() && waiting()) {
        int needed = NxtProtocol::ReplyLength(m_code, m_buffer.data(), m_have);
        if (needed < 0)
            needed = 6; // a read reply: its count comes first
        const qsizetype take = std::min<qsizetype>(needed - m_have, data.size() - offset);
        std::memcpy(m_buffer.data() + m_have, data.data() + offset, static_cast<size_t>(take));
        m_have += static_cast<int>(take);
        offset += take;
        const int length = NxtProtocol::ReplyLength(m_code, m_buffer.data(), m_have);
        if (length > 0 && m_have >= length) {
            std::memcpy(reply.data(), m_buffer.data(), static_cast<size_t>(length));
            result.complete = true;
            result.length = length;
            Clear();
            break;
        }
    }
    result.discarded = static_cast<int>(data.size() - offset);
    return result;
}
