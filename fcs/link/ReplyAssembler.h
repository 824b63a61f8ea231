#pragma once

#include "fcs/link/NxtProtocol.h"

#include <QByteArrayView>
#include <array>

// Puts one brick reply together from the reads of the stream: a reply split
// over two reads is completed by the second, and bytes beyond the reply's
// length (a second reply run together with it, or foreign data) are dropped.
class ReplyAssembler {
public:
    using Reply = std::array<quint8, NxtProtocol::kReplySize>;

    struct Result {
        bool complete = false;
        int length = 0;    // bytes of the completed reply
        int discarded = 0; // bytes dropped by this feed
    };

    // A command that asks for a reply of this code was just sent.
    void Expect(int code);
    void Clear();
    bool waiting() const { return m_code != NxtProtocol::RC_NONE; }
    int code() const { return m_code; }

    // Adds received bytes; on completion the reply is copied into reply.
    Result Feed(QByteArrayView data, Reply& reply);

private:
    int m_code = NxtProtocol::RC_NONE;
    int m_have = 0;
    Reply m_buffer{};
};
