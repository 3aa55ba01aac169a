"""The description of the settings keywords, shared by the docstrings that take them."""

SETTINGS = """
    Settings
    --------
    Settings are typed into the program's dialogs exactly as a user of a fresh program would
    type them after opening the Techniques, Mechanism and Experimental dialogs in turn (each
    value as Python's ``repr`` of the float), so every rule of the dialogs holds:
    a field the dialog does not offer for the technique, mechanism, electrode or mode, or one it
    derives itself, is refused with ``ValueError`` saying why; a value the capture refuses raises
    ``ValueError`` with the dialog's message, which names the field. Unset fields keep the
    dialogs' defaults.

    technique : {"lsv", "cv", "dc", "np", "dp", "sw"}, default "cv"
        Linear sweep (single sweep), cyclic voltammetry (the same technique, swept there and
        back), DC, normal pulse, differential pulse and square wave voltammetry.
    mechanism : int, default 1
        The reaction mechanism 1..17 of the Mechanism dialog. Analytical simulation offers 1, 4
        and 9; the dialog never offers 3.
    electrode : str or int, default "planar"
        "planar", "sphere", "hemisphere", "microdisc", "cylinder", "hemicylinder", "thin_film",
        "rde" (codes 1..8). "thin_film" and "rde" are analytical only.
    digital : bool, default True
        Digital simulation; False for the closed-form (analytical) currents.
    scan : {"single", "cycle", "2 cycles"}
        The Scan list (default "single"; technique "cv" chooses "cycle").
    cycles : {1, 2}
        For technique "cv": one or two cycles.

    Instrument (units of the dialog):
        E_start, E_end, E_step [V] (defaults 0.3, -0.3, 0.005), scan_rate [V/s] (0.01; not for
        "sw"), t_pulse [s] (0.05; "np" and "dp", derived as 0.5/frequency for "sw"), E_pulse [V]
        (-0.05; pulse techniques), frequency [Hz] (10; "sw"), temperature [°C] (25), noise [%]
        (0), Cdl [F] (0), Ru [ohm] (0; digital only). t_drop is always derived as
        E_step / scan_rate and cannot be set.
    Electrode and electrolyte:
        area [cm²] (1; typed for "planar" and "thin_film", derived from radius and length for
        the others), radius [cm] (0.2821), length [cm] (0.01; cylinder, hemicylinder, thin film
        thickness), viscosity [cm²/s] (0.01; "rde"), rotation_rate [rpm] (100; "rde"), distance
        [cm] (1), electrolyte_C [mol/L] (0.01), electrolyte_cond (100).
    Species A..D (those of the mechanism):
        D_A..D_D [cm²/s] (1e-5), C_A..C_D analytical concentration [mol/L] (1e-3, 0, 0, 0),
        cond_A..cond_D (100..400). A bare D sets every species' D; a species' own D_X wins.
    Charge-transfer reactions 1..3:
        n_1..n_3 (1; 1 to 3), E0_1..E0_3 [V] (0.1, -0.1, -0.2), alpha_1..alpha_3 (0.5),
        ks_1..ks_3 [cm/s] (1e4).
    Chemical reactions 1..3:
        kf_1..kf_3 (10), kb_1..kb_3 (0.01), p_1..p_3 (1; 1 to 4).
    Bare C, n, E0, alpha, ks, kf, kb and p mean the first species or reaction.

    The initial concentrations the run starts from are the dialog's: the analytical ones brought
    to equilibrium at E_start (pre-equilibration), shown and read to four digits.
"""
