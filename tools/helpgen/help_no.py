# Norske hjelpetekster.
UI = {
    "computes": "Hva beregningen gir", "inputs": "Inndata", "back": "Innhold",
    "intro": "VELTARO dimensjonerer og kontrollerer teknisk isolasjon av rør, kanaler og plane flater med "
             "Torvelin-produkter. Velg en beregning i menyen, eller klikk på tittelen på startbildet.",
    "results": "Resultatene vises i vinduets resultatramme. Bruk Forhåndsvis for en rapport.",
}
CALC = {
    1: "Varmetap og overflatetemperatur for et rør eller en plan flate med valgt isolasjonstykkelse. Med "
       "energibesparelse slått på gis også tapet for det uisolerte objektet og besparelsen per år.",
    2: "Den isolasjonstykkelsen som gir en krevd overflatetemperatur, og varmetapet ved den tykkelsen.",
    3: "Den isolasjonstykkelsen som holder varmetapet på eller under en krevd verdi, og "
       "overflatetemperaturen ved den tykkelsen.",
    4: "Den isolasjonstykkelsen som oppfyller en isolasjonsklasse, valgt direkte eller funnet ut fra driftstid "
       "og spillfaktor, med varmetap og overflatetemperatur.",
    5: "Den isolasjonstykkelsen som holder overflaten på et kaldt rør eller objekt over luftens duggpunkt, "
       "slik at det ikke dannes kondens.",
    6: "Den isolasjonstykkelsen som holder et strømmende fuktig medium over duggpunktet inne i røret eller "
       "kanalen, slik at det ikke kondenserer på innerveggen.",
    7: "Temperaturendringen for luft eller røykgass langs en ventilasjonskanal, eller den isolasjonstykkelsen "
       "som holder sluttemperaturen på en krevd verdi.",
    21: "Varmetap, temperaturene mellom lagene og overflatetemperaturen for to til seks lag av ulike "
        "produkter med gitte tykkelser.",
    22: "De lagtykkelsene som oppfyller krevde temperaturer mellom lagene og en krevd overflatetemperatur.",
    23: "De lagtykkelsene som oppfyller krevde temperaturer mellom lagene og et krevd varmetap.",
    24: "Varmetapet før og etter et nytt ytre lag på en eksisterende isolasjon, de nye temperaturene og "
        "besparelsen per år.",
}
INPUT = {
    "geometry": "Rør (utvendig diameter i mm, valgt i listen eller skrevet inn) eller plan flate (høyde i mm).",
    "location": "Innendørs eller utendørs. Utendørs brukes vindhastigheten.",
    "orientation": "Horisontalt eller vertikalt rør eller flate; det avgjør den frie konveksjonen.",
    "medium_temp": "Temperaturen til mediet i røret eller bak flaten, i °C.",
    "ambient": "Temperaturen til luften omkring, i °C.",
    "wind": "Vindhastighet utendørs, 1 til 50 m/s.",
    "emissivity": "Emisjonstall for den ytre overflaten (kledning); det avgjør varmestrålingen.",
    "product": "Torvelin-produktet; varmeledningsevnen avhenger av middeltemperaturen.",
    "thickness": "Isolasjonstykkelse i mm, valgt blant produktets tykkelser.",
    "req_surface": "Overflatetemperaturen som skal nås, i °C.",
    "req_heatloss": "Største tillatte varmetap, i W/m for et rør eller W/m² for en flate.",
    "method": "Enten en isolasjonsklasse valgt i listen, eller driftstimer per år og spillfaktor som klassen "
              "finnes ut fra.",
    "humidity": "Relativ fuktighet i luften omkring, i %.",
    "velocity": "Mediets hastighet i røret, i m/s.",
    "medium_humidity": "Mediets relative fuktighet, i %.",
    "inner_dia": "Rørets innvendige diameter, i mm.",
    "constant": "Mediets stoffkonstant, som brukes til varmeovergangen på innsiden.",
    "calc_type": "Hva som søkes: isolasjonstykkelsen, starttemperaturen eller sluttemperaturen.",
    "medium": "Luft eller røykgass i kanalen.",
    "flow": "Mediets mengde i valgt enhet (kg/s, l/h, l/s, m³/h eller m/s).",
    "length": "Kanalens lengde i m.",
    "start_end": "Mediets temperatur der det går inn i og ut av kanalen, i °C.",
    "layers": "Antall lag, 2 til 6, regnet fra mediet og utover; hvert lag har sitt eget produkt.",
    "interfaces": "Temperaturene mellom lagene, i °C; krevde verdier begrenser hvert produkt.",
    "existing": "Den eksisterende isolasjonen: produkt, tykkelse og overflatens emisjonstall.",
    "new": "Det nye ytre laget: produkt, tykkelse og overflatens emisjonstall.",
    "savings": "Rørlengde eller areal, energienhet og pris samt driftstimer per år.",
}
