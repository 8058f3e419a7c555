# Svenska hjälptexter.
UI = {
    "computes": "Vad beräkningen ger", "inputs": "Indata", "back": "Innehåll",
    "intro": "VELTARO dimensionerar och kontrollerar teknisk isolering av rör, kanaler och plana ytor med "
             "Torvelin-produkter. Välj en beräkning i menyn eller klicka på dess titel på startbilden.",
    "results": "Resultaten visas i fönstrets resultatram. Använd Förhandsgranska för en rapport.",
}
CALC = {
    1: "Värmeförlust och yttemperatur för ett rör eller en plan yta med en vald isolertjocklek. Med "
       "energibesparing påslagen ges även förlusten för det oisolerade objektet och besparingen per år.",
    2: "Den isolertjocklek som ger en krävd yttemperatur, och värmeförlusten vid den tjockleken.",
    3: "Den isolertjocklek som håller värmeförlusten på eller under ett krävt värde, och yttemperaturen vid "
       "den tjockleken.",
    4: "Den isolertjocklek som uppfyller en isolerklass, med värmeförlust och yttemperatur.",
    5: "Den isolertjocklek som håller ytan på ett kallt rör eller objekt över luftens daggpunkt, så att ingen "
       "kondens bildas på den.",
    6: "Den isolertjocklek som håller ett strömmande fuktigt medium över dess daggpunkt inne i röret eller "
       "kanalen, så att det inte kondenserar på innerväggen.",
    7: "Temperaturändringen för luft eller rökgas längs en ventilationskanal, eller den isolertjocklek som "
       "håller sluttemperaturen på ett krävt värde.",
    21: "Värmeförlust, temperaturerna mellan skikten och yttemperaturen för två till sex skikt av olika "
        "produkter med givna tjocklekar.",
    22: "De skikttjocklekar som uppfyller krävda temperaturer mellan skikten och en krävd yttemperatur.",
    23: "De skikttjocklekar som uppfyller krävda temperaturer mellan skikten och en krävd värmeförlust.",
    24: "Värmeförlusten före och efter ett nytt yttre skikt på en befintlig isolering, de nya temperaturerna "
        "och besparingen per år.",
}
INPUT = {
    "geometry": "Rör (utvändig diameter i mm, vald i listan eller inskriven) eller plan yta (höjd i mm).",
    "location": "Inomhus eller utomhus. Utomhus används vindhastigheten.",
    "orientation": "Horisontellt eller vertikalt rör eller yta; det avgör den fria konvektionen.",
    "medium_temp": "Temperaturen hos mediet i röret eller bakom ytan, i °C.",
    "ambient": "Temperaturen hos den omgivande luften, i °C.",
    "wind": "Vindhastighet utomhus, 1 till 50 m/s.",
    "emissivity": "Emissionstal för den yttre ytan (beklädnad); det avgör värmestrålningen.",
    "product": "Torvelin-produkten; dess värmekonduktivitet beror på medeltemperaturen.",
    "thickness": "Isolertjocklek i mm, vald bland produktens tjocklekar.",
    "req_surface": "Den yttemperatur som ska nås, i °C.",
    "req_heatloss": "Den största tillåtna värmeförlusten, i W/m för ett rör eller W/m² för en yta.",
    "method": "Antingen en isolerklass vald i listan, eller drifttimmar per år och spillfaktor.",
    "humidity": "Den omgivande luftens relativa fuktighet, i %.",
    "velocity": "Mediets hastighet i röret, i m/s.",
    "medium_humidity": "Mediets relativa fuktighet, i %.",
    "inner_dia": "Rörets invändiga diameter, i mm.",
    "constant": "Mediets ämneskonstant, som används för värmeövergången på insidan.",
    "calc_type": "Vad som söks: isolertjockleken, starttemperaturen eller sluttemperaturen.",
    "medium": "Luft eller rökgas i kanalen.",
    "flow": "Mediets flöde i vald enhet (kg/s, l/h, l/s, m³/h eller m/s).",
    "length": "Kanalens längd i m.",
    "start_end": "Mediets temperatur där det går in i och ut ur kanalen, i °C.",
    "layers": "Antal skikt, 2 till 6, räknat från mediet och utåt; varje skikt har sin egen produkt.",
    "interfaces": "Temperaturerna mellan skikten, i °C; krävda värden begränsar varje produkt.",
    "existing": "Den befintliga isoleringen: produkt, tjocklek och ytans emissionstal.",
    "new": "Det nya yttre skiktet: produkt, tjocklek och ytans emissionstal.",
    "savings": "Rörlängd eller yta, energienhet och pris samt drifttimmar per år.",
}
