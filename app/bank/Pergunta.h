#pragma once

#include <QtGlobal>
#include <bit>
#include <cstddef>

// One question of the bank, exactly as it lies on disk: 842 bytes, no padding, little-endian.
// Text fields hold UTF-16 code units ending with a zero unit; whatever follows that unit is
// ignored by every reader. The record is 2-byte aligned in memory so its text can be read as
// 16-bit units; that changes nothing on disk, since every text field starts at an even offset
// and the size is even.
#pragma pack(push, 1)
struct alignas(2) TPergunta {
    char16_t Pergunta[256];
    char16_t Resposta1[41];
    char16_t Resposta2[41];
    char16_t Resposta3[41];
    char16_t Resposta4[41];
    quint8 Correta; // 1 to 4: which answer is right
    quint8 Nivel;   // 1 to 4; any other value stays in the file but never loads
};
#pragma pack(pop)

// The bank is written and read with the host's byte order, which must be the file's.
static_assert(std::endian::native == std::endian::little, "the question bank is little-endian");
static_assert(sizeof(char16_t) == 2);
static_assert(sizeof(TPergunta) == 842);
static_assert(offsetof(TPergunta, Pergunta) == 0);
static_assert(offsetof(TPergunta, Resposta1) == 512);
static_assert(offsetof(TPergunta, Resposta2) == 594);
static_assert(offsetof(TPergunta, Resposta3) == 676);
static_assert(offsetof(TPergunta, Resposta4) == 758);
static_assert(offsetof(TPergunta, Correta) == 840);
static_assert(offsetof(TPergunta, Nivel) == 841);
