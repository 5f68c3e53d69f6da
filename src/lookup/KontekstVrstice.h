#pragma once
// The working values of one source row that the row derivation shares with the lookups. The
// derivation owns the structure (one per row) and adds its own values; the lookups of the ledger,
// coupon and holding areas read and write the fields below.

#include "base/Datum.h"

#include <string>

namespace orv {

struct KontekstVrstice {
    // --- The derivation's own values ------------------------------------------------------

    /// The class letter of the row ("E", "G", "I", "M" or "O").
    std::string Razred;
    /// The instrument has a listing code "D", "K" or "k" (SteviloListFin).
    bool Kotira = false;
    /// The instrument's listing code (ListFin).
    std::string ListaFin;
    /// Deal type of the row's master deal (later: of the holding's latest qualifying deal).
    std::string SfdogPosla;
    /// Holding line of that latest deal.
    std::string IdvpPosla;
    /// Year of the deal behind a class "D" row.
    std::string LetnicaPosla;
    /// Day 1 of the reporting month, dd.mm.yyyy.
    std::string PrviDanMeseca;
    /// The holding's quantity (KolicinaVP).
    double KolicinaVrstice = 0;
    /// The holding's yield and purchase date (NabavniTecajNKP).
    double DonosNKP = 0;
    DateValue DanNakupa = 0;
    /// The holding was bought on a primary market (PrimarniTrg).
    bool PrimarniNakup = false;
    /// "N" when the INT_NEW columns are filled, else "S".
    std::string OznakaInt;
    /// The maturity text of the new-scheme codes.
    std::string ZapadlostN;
    /// The schema of the write-down table.
    std::string ShemaMsrp9;

    // --- Set by the derivation before the lookups read them --------------------------------

    /// DEVIZEN of the row's account (BeriDevizen): "N" is a domestic-currency account, whose
    /// ledger balance StanjeECB52 takes from the domestic-currency amounts.
    std::string DevizenVrstice;
    /// The row's exchange rate; StanjeECB52 divides foreign-currency balances by it.
    double TecajVrstice = 0;
    /// REVAL_OBRM of the output record being derived (the reference index value). The
    /// derivation keeps it equal to the output field; NabavniTecajNKP adds it to the coupon rate.
    double REVAL_OBRM = 0;

    // --- Written by the lookups ------------------------------------------------------------

    /// Earliest purchase date of the row's holding on the reporting date (RacunajDanNKP);
    /// the zero date when the contract holds nothing of the security.
    DateValue DanNKP = 0;
    /// First day of the security's first coupon period, as the date text the database gives
    /// (RacunajSteviloDni); empty when the security has no coupon periods.
    std::string PrviDanKPN;
    /// Days from the first coupon period's start to the last one's end (RacunajSteviloDni).
    double DniKPN = 0;
    /// Days from the reporting date to the last coupon period's end (RacunajSteviloDni).
    double PreostaliDniKPN = 0;
};

} // namespace orv
