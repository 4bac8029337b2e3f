// Encryption of single automation values: round trips of every accepted type, the bytes that are
// kept, string lengths, and the error results.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <utility>

#include "Chiave.h"
#include "CifraValore.h"

namespace talvo::cifrel {
namespace {

// A variant that clears itself.
struct Variante {
  VARIANT v;
  Variante() { ::VariantInit(&v); }
  ~Variante() { ::VariantClear(&v); }
  Variante(const Variante&) = delete;
  Variante& operator=(const Variante&) = delete;
};

class CifraValoreTest : public ::testing::Test {
 protected:
  Chiave chiave;
  void SetUp() override { ASSERT_TRUE(chiave.DeriveKey(L"secret")); }

  void Cifra(const VARIANT& in, Variante& out, Direzione d = Direzione::Cifra) {
    CifraValore(chiave, &in, &out.v, d);
  }
  static SAFEARRAY* ArrayDiByte(LONG inferiore, std::size_t n) {
    SAFEARRAYBOUND limite{static_cast<ULONG>(n), inferiore};
    SAFEARRAY* a = ::SafeArrayCreate(VT_UI1, 1, &limite);
    void* dati = nullptr;
    ::SafeArrayAccessData(a, &dati);
    for (std::size_t i = 0; i < n; ++i) static_cast<BYTE*>(dati)[i] = static_cast<BYTE>(i * 7 + 1);
    ::SafeArrayUnaccessData(a);
    return a;
  }
};

TEST_F(CifraValoreTest, ByteArraysComeBackUnlockedBothTheCallersAndTheResult) {
  for (Direzione direzione : {Direzione::Cifra, Direzione::Decifra}) {
    Variante valore, risultato;
    valore.v.vt = VT_ARRAY | VT_UI1, valore.v.parray = ArrayDiByte(3, 64);
    Cifra(valore.v, risultato, direzione);
    ASSERT_EQ(risultato.v.vt, VT_ARRAY | VT_UI1);
    // A lock left on either array would make its destruction fail.
    SAFEARRAY* chiamante = std::exchange(valore.v.parray, nullptr);
    valore.v.vt = VT_EMPTY;
    EXPECT_EQ(::SafeArrayDestroy(chiamante), S_OK);
    SAFEARRAY* nuovo = std::exchange(risultato.v.parray, nullptr);
    risultato.v.vt = VT_EMPTY;
    EXPECT_EQ(::SafeArrayDestroy(nuovo), S_OK);
  }
}

TEST_F(CifraValoreTest, EveryAcceptedTypeRoundTripsExactly) {
  std::vector<Variante> valori(12);
  valori[0].v.vt = VT_UI1, valori[0].v.bVal = 200;
  valori[1].v.vt = VT_I2, valori[1].v.iVal = -12345;
  valori[2].v.vt = VT_UI2, valori[2].v.uiVal = 54321;
  valori[3].v.vt = VT_I4, valori[3].v.lVal = -123456789;
  valori[4].v.vt = VT_R4, valori[4].v.fltVal = 3.25f;
  valori[5].v.vt = VT_UI4, valori[5].v.ulVal = 4000000000u;
  valori[6].v.vt = VT_R8, valori[6].v.dblVal = -1234.5678;
  valori[7].v.vt = VT_DATE, valori[7].v.date = 45268.9613;
  valori[8].v.vt = VT_CY, valori[8].v.cyVal.int64 = 123456789012345;
  ::VarDecFromStr(const_cast<OLECHAR*>(L"-12345678901234567.89"), 0x409, 0, &valori[9].v.decVal);
  valori[9].v.vt = VT_DECIMAL;
  valori[10].v.vt = VT_ARRAY | VT_UI1, valori[10].v.parray = ArrayDiByte(0, 1);
  valori[11].v.vt = VT_ARRAY | VT_UI1, valori[11].v.parray = ArrayDiByte(5, 1000);

  for (Variante& valore : valori) {
    Variante cifrato, decifrato;
    Cifra(valore.v, cifrato);
    ASSERT_EQ(cifrato.v.vt, valore.v.vt);
    Cifra(cifrato.v, decifrato, Direzione::Decifra);
    ASSERT_EQ(decifrato.v.vt, valore.v.vt);
    // Compared as byte images: exact for every type, arrays and their bounds included.
    const auto originale = VariantToBytes(valore.v);
    const auto tornato = VariantToBytes(decifrato.v);
    ASSERT_TRUE(originale && tornato);
    EXPECT_EQ(tornato->byte, originale->byte) << valore.v.vt;
    EXPECT_EQ(tornato->limiteInferiore, originale->limiteInferiore) << valore.v.vt;
    EXPECT_NE(VariantToBytes(cifrato.v)->byte, originale->byte) << valore.v.vt;
  }
}

TEST_F(CifraValoreTest, DatesKeepTheirTopBytesAndDecimalsTheirScaleAndSign) {
  Variante data, dataCifrata;
  data.v.vt = VT_DATE;
  data.v.date = 45268.5;
  Cifra(data.v, dataCifrata);
  EXPECT_EQ(std::memcmp(reinterpret_cast<const BYTE*>(&data.v.date) + 6,
                        reinterpret_cast<const BYTE*>(&dataCifrata.v.date) + 6, 2),
            0);

  Variante decimale, decimaleCifrato;
  ::VarDecFromStr(const_cast<OLECHAR*>(L"-98765.4321"), 0x409, 0, &decimale.v.decVal);
  decimale.v.vt = VT_DECIMAL;
  Cifra(decimale.v, decimaleCifrato);
  EXPECT_EQ(decimaleCifrato.v.decVal.scale, 4);
  EXPECT_EQ(decimaleCifrato.v.decVal.sign, DECIMAL_NEG);
  EXPECT_NE(decimaleCifrato.v.decVal.Lo64, decimale.v.decVal.Lo64);
}

TEST_F(CifraValoreTest, StringsBecomePrintableTextsOfTheExpectedLength) {
  struct Caso {
    std::wstring testo;
    std::size_t lunghezza;
  };
  const Caso casi[] = {
      {L"abc", 4 * 3 / 3 + 1},
      {L"Registro elettronico", 4 * 20 / 3 + 1},
      {std::wstring(L"caf\x00E9 \x00FE"), 4 * 6 / 3 + 1},  // 254 is still narrow
      {std::wstring(L"ab\x00FF"), 8 * 3 / 3 + 1},          // 255 makes it wide
      {std::wstring(L"\x20AC 100"), 8 * 5 / 3 + 1},
      {std::wstring(1000, L'x'), 4 * 1000 / 3 + 1},
  };
  for (const Caso& caso : casi) {
    Variante testo, cifrato, decifrato, ancora;
    testo.v.vt = VT_BSTR;
    testo.v.bstrVal = ::SysAllocStringLen(caso.testo.data(), static_cast<UINT>(caso.testo.size()));
    Cifra(testo.v, cifrato);
    ASSERT_EQ(cifrato.v.vt, VT_BSTR);
    const std::wstring uscita(cifrato.v.bstrVal, ::SysStringLen(cifrato.v.bstrVal));
    EXPECT_EQ(uscita.size(), caso.lunghezza);
    EXPECT_EQ(uscita.find_first_not_of(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"),
              std::wstring::npos);
    Cifra(testo.v, ancora);  // the same text twice gives the same cipher text
    EXPECT_EQ(std::wstring(ancora.v.bstrVal), uscita);
    Cifra(cifrato.v, decifrato, Direzione::Decifra);
    ASSERT_EQ(decifrato.v.vt, VT_BSTR);
    EXPECT_EQ(std::wstring(decifrato.v.bstrVal, ::SysStringLen(decifrato.v.bstrVal)), caso.testo);
  }
}

TEST_F(CifraValoreTest, AReferenceToAVariantIsFollowed) {
  Variante testo, riferimento, cifrato, diretto;
  testo.v.vt = VT_BSTR;
  testo.v.bstrVal = ::SysAllocString(L"abc");
  riferimento.v.vt = VT_BYREF | VT_VARIANT;
  riferimento.v.pvarVal = &testo.v;
  Cifra(riferimento.v, cifrato);
  Cifra(testo.v, diretto);
  ASSERT_EQ(cifrato.v.vt, VT_BSTR);
  EXPECT_EQ(std::wstring(cifrato.v.bstrVal), std::wstring(diretto.v.bstrVal));
  riferimento.v.vt = VT_EMPTY;  // it only borrowed the string

  Variante numero, perRiferimento, risultato;
  LONG valore = 42;
  perRiferimento.v.vt = VT_BYREF | VT_I4;
  perRiferimento.v.plVal = &valore;
  numero.v.vt = VT_I4;
  numero.v.lVal = 42;
  Cifra(perRiferimento.v, risultato);
  Variante atteso;
  Cifra(numero.v, atteso);
  EXPECT_EQ(risultato.v.vt, VT_I4);
  EXPECT_EQ(risultato.v.lVal, atteso.v.lVal);
  perRiferimento.v.vt = VT_EMPTY;
}

TEST_F(CifraValoreTest, ValuesWithoutAnImageGiveErrorResultsOrEmptyStrings) {
  Variante booleano, vuoto, nullo, stringaVuota, stringhe, arrayVuoto, uno;
  booleano.v.vt = VT_BOOL, booleano.v.boolVal = VARIANT_TRUE;
  nullo.v.vt = VT_NULL;
  stringaVuota.v.vt = VT_BSTR, stringaVuota.v.bstrVal = ::SysAllocString(L"");
  SAFEARRAYBOUND limite{2, 0};
  stringhe.v.vt = VT_ARRAY | VT_BSTR, stringhe.v.parray = ::SafeArrayCreate(VT_BSTR, 1, &limite);
  SAFEARRAYBOUND nessuno{0, 0};
  arrayVuoto.v.vt = VT_ARRAY | VT_UI1, arrayVuoto.v.parray = ::SafeArrayCreate(VT_UI1, 1, &nessuno);
  uno.v.vt = VT_BSTR, uno.v.bstrVal = ::SysAllocString(L"Q");

  struct Caso {
    const char* descrizione;
    const VARIANT* valore;
    Direzione direzione;
    VARTYPE tipo;
    Esito esito;
  };
  const Caso casi[] = {
      {"boolean", &booleano.v, Direzione::Cifra, VT_ERROR, Esito::CifEncryptFormatInvalid},
      {"empty", &vuoto.v, Direzione::Cifra, VT_ERROR, Esito::CifEncryptFormatInvalid},
      {"null", &nullo.v, Direzione::Decifra, VT_ERROR, Esito::CifEncryptFormatInvalid},
      {"empty byte array", &arrayVuoto.v, Direzione::Cifra, VT_ERROR, Esito::CifEncryptFormatInvalid},
      {"empty string", &stringaVuota.v, Direzione::Cifra, VT_BSTR, Esito::CifEncryptSuccess},
      {"empty string", &stringaVuota.v, Direzione::Decifra, VT_BSTR, Esito::CifEncryptSuccess},
      {"array of strings", &stringhe.v, Direzione::Cifra, VT_BSTR, Esito::CifEncryptSuccess},
      {"one-character text", &uno.v, Direzione::Decifra, VT_BSTR, Esito::CifEncryptSuccess},
  };
  for (const Caso& caso : casi) {
    Variante risultato;
    CifraValore(chiave, caso.valore, &risultato.v, caso.direzione);
    ASSERT_EQ(risultato.v.vt, caso.tipo) << caso.descrizione;
    if (caso.tipo == VT_ERROR) {
      EXPECT_EQ(risultato.v.scode, static_cast<SCODE>(caso.esito)) << caso.descrizione;
    } else {
      EXPECT_EQ(::SysStringLen(risultato.v.bstrVal), 0u) << caso.descrizione;
    }
  }
}

TEST_F(CifraValoreTest, WideCodeUnitsInACipherTextAreRefused) {
  Variante testo, risultato;
  testo.v.vt = VT_BSTR;
  testo.v.bstrVal = ::SysAllocString(L"mYW\x0100j");
  CifraValore(chiave, &testo.v, &risultato.v, Direzione::Decifra);
  ASSERT_EQ(risultato.v.vt, VT_ERROR);
  EXPECT_EQ(risultato.v.scode, static_cast<SCODE>(Esito::CifEncryptFormatInvalid));
}

TEST(CifraValoreSenzaChiave, EveryInputGivesNoPwd) {
  Chiave chiave;  // no password, so no key
  Variante numero, risultato;
  numero.v.vt = VT_I4;
  numero.v.lVal = 1;
  CifraValore(chiave, &numero.v, &risultato.v, Direzione::Cifra);
  ASSERT_EQ(risultato.v.vt, VT_ERROR);
  EXPECT_EQ(risultato.v.scode, static_cast<SCODE>(Esito::CifEncryptNoPwd));
}

}  // namespace
}  // namespace talvo::cifrel
