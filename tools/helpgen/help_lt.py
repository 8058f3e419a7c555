# Lietuviški pagalbos tekstai.
UI = {
    "computes": "Ką apskaičiuoja", "inputs": "Duomenys", "back": "Turinys",
    "intro": "VELTARO parenka ir tikrina vamzdžių, ortakių ir plokščių paviršių techninę izoliaciją su "
             "Torvelin gaminiais. Pasirinkite skaičiavimą meniu arba spustelėkite jo pavadinimą pradžios paveiksle.",
    "results": "Rezultatai rodomi lango rezultatų rėmelyje. Ataskaitai naudokite Peržiūrą.",
}
CALC = {
    1: "Vamzdžio arba plokščio paviršiaus su pasirinktu izoliacijos storiu šilumos nuostoliai ir paviršiaus "
       "temperatūra. Įjungus energijos sutaupymą, pateikiami ir neizoliuoto objekto nuostoliai bei metinis "
       "sutaupymas.",
    2: "Izoliacijos storis, kuriam esant pasiekiama reikalaujama paviršiaus temperatūra, ir šilumos nuostoliai.",
    3: "Izoliacijos storis, kuriam esant šilumos nuostoliai neviršija reikalaujamos vertės, ir paviršiaus "
       "temperatūra.",
    4: "Izoliacijos storis, atitinkantis izoliacijos klasę, su šilumos nuostoliais ir paviršiaus temperatūra.",
    5: "Izoliacijos storis, kuriam esant šalto vamzdžio ar paviršiaus temperatūra lieka aukščiau oro rasos "
       "taško ir nesusidaro kondensatas.",
    6: "Izoliacijos storis, kuriam esant tekanti drėgna terpė vamzdyje ar ortakyje lieka aukščiau rasos taško "
       "ir nekondensuojasi ant vidinės sienelės.",
    7: "Oro ar dūmų temperatūros pokytis ventiliacijos ortakyje arba izoliacijos storis reikalaujamai galutinei "
       "temperatūrai.",
    21: "Dviejų–šešių skirtingų gaminių sluoksnių su duotais storiais šilumos nuostoliai, temperatūros tarp "
        "sluoksnių ir paviršiaus temperatūra.",
    22: "Sluoksnių storiai, atitinkantys reikalaujamas temperatūras tarp sluoksnių ir paviršiaus temperatūrą.",
    23: "Sluoksnių storiai, atitinkantys reikalaujamas temperatūras tarp sluoksnių ir šilumos nuostolius.",
    24: "Šilumos nuostoliai prieš ir po naujo išorinio sluoksnio ant esamos izoliacijos, naujos temperatūros "
        "ir metinis sutaupymas.",
}
INPUT = {
    "geometry": "Vamzdis (išorinis skersmuo mm, pasirinktas sąraše arba įvestas) arba plokštuma (aukštis mm).",
    "location": "Patalpoje arba lauke. Lauke naudojamas vėjo greitis.",
    "orientation": "Horizontalus ar vertikalus vamzdis ar paviršius; tai lemia natūralią konvekciją.",
    "medium_temp": "Terpės temperatūra vamzdyje arba už paviršiaus, °C.",
    "ambient": "Aplinkos oro temperatūra, °C.",
    "wind": "Vėjo greitis lauke, nuo 1 iki 50 m/s.",
    "emissivity": "Išorinio paviršiaus (dangos) spinduliavimo koeficientas; jis lemia šilumos spinduliavimą.",
    "product": "Torvelin izoliacijos gaminys; jo šilumos laidumas priklauso nuo vidutinės temperatūros.",
    "thickness": "Izoliacijos storis mm, pasirinktas iš gaminio storių.",
    "req_surface": "Reikalaujama paviršiaus temperatūra, °C.",
    "req_heatloss": "Didžiausi leistini šilumos nuostoliai, W/m vamzdžiui arba W/m² paviršiui.",
    "method": "Izoliacijos klasė iš sąrašo arba darbo valandos per metus ir nuostolių koeficientas.",
    "humidity": "Aplinkos oro santykinė drėgmė, %.",
    "velocity": "Terpės greitis vamzdyje, m/s.",
    "medium_humidity": "Terpės santykinė drėgmė, %.",
    "inner_dia": "Vidinis vamzdžio skersmuo, mm.",
    "constant": "Terpės medžiagos konstanta vidiniam šilumos atidavimui.",
    "calc_type": "Kas ieškoma: izoliacijos storis, pradinė ar galutinė temperatūra.",
    "medium": "Oras arba dūmai ortakyje.",
    "flow": "Terpės srautas pasirinktais vienetais (kg/s, l/h, l/s, m³/h arba m/s).",
    "length": "Ortakio ilgis, m.",
    "start_end": "Terpės temperatūra įėjime ir išėjime iš ortakio, °C.",
    "layers": "Sluoksnių skaičius nuo 2 iki 6, skaičiuojant nuo terpės; kiekvienas sluoksnis turi savo gaminį.",
    "interfaces": "Temperatūros tarp sluoksnių, °C; reikalaujamos vertės riboja kiekvieną gaminį.",
    "existing": "Esama izoliacija: gaminys, storis ir paviršiaus spinduliavimo koeficientas.",
    "new": "Naujas išorinis sluoksnis: gaminys, storis ir paviršiaus spinduliavimo koeficientas.",
    "savings": "Vamzdžio ilgis arba plotas, energijos vienetas ir kaina bei darbo valandos per metus.",
}
